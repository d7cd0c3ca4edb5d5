#pragma once

#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class ResultListModel;
class TroviaTableView;
class TroviaWindow;

// The window that drops down under the main window's search field with the matching applications.
// It never takes focus (typing stays in the field) and, while attached, moves with the main window.
// It recomputes its frame whenever the main window changes size. After a keystroke it is drawn
// before the main window: the rows are what the user waits for, the field's echo can follow.
class ResultListWindow : public QWidget
{
    Q_OBJECT

public:
    // field is the search field inside mainWindow's content; the list window is owned by
    // mainWindow.
    ResultListWindow(TroviaWindow *mainWindow, QWidget *field);

    TroviaTableView *tableView() const { return table; }
    ResultListModel *model() const { return rows; }

    // Places the window under the field (or above it, near the bottom of the screen), as high as
    // the model's rows need, at most the maximum list height.
    void setupListFrame();
    // The most rows the list shows at once (the user's "Maximum List Height").
    void setMaximumListHeight(qint64 rowCount) { maximumListHeight = rowCount; }

    // Shows the window above the main window and keeps it there as the main window moves;
    // detaching hides it.
    void attach();
    void detach();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followMainWindow();
    // Lets the main window's request that waits for the list's exposure go.
    void releaseMainWindow();

    static constexpr std::chrono::milliseconds mainWindowWaitLimit{50};

    TroviaWindow *mainWindow;
    QPointer<QWidget> field;
    TroviaTableView *table;
    ResultListModel *rows;
    bool attached = false;
    // Whether the main window's request has waited for the list's exposure since it was shown.
    enum class MainWindowHold { NotYet, Holding, Released } mainWindowHold = MainWindowHold::NotYet;
    QTimer mainWindowRelease;
    qint64 maximumListHeight = 7;
    QPoint offsetFromMainWindow;
};
