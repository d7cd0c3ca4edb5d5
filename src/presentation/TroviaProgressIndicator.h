#pragma once

#include <QBasicTimer>
#include <QWidget>

// A small busy indicator: a disc in the field's base colour, with a turning arc while animated.
// It sits on the search field, so at rest it is not seen.
class TroviaProgressIndicator : public QWidget
{
    Q_OBJECT

public:
    explicit TroviaProgressIndicator(QWidget *parent = nullptr);

    void startAnimation();
    void stopAnimation();
    bool isAnimating() const { return timer.isActive(); }

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    QBasicTimer timer;
    int step = 0;
};
