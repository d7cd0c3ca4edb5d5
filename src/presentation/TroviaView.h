#pragma once

#include <QColor>
#include <QWidget>

// The main window's surface: a flat fill in the window colour under the matte or shiny shading.
// It takes no mouse events, so a press anywhere outside the field starts a drag of the window; the
// open hand shows where that works.
class TroviaView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(int surfaceStyle READ surfaceStyle WRITE setSurfaceStyle)

public:
    explicit TroviaView(QWidget *parent = nullptr);

    QColor backgroundColor() const { return fillColor; }
    void setBackgroundColor(const QColor &color);

    // 1 matte, 2 shiny; any other value shows the flat fill alone.
    int surfaceStyle() const { return style; }
    void setSurfaceStyle(int surfaceStyle);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor fillColor;
    int style = 1;
};
