#include "presentation/ResultListWindow.h"

#include "platform/WindowSystem.h"
#include "presentation/ListGeometry.h"
#include "presentation/ResultListModel.h"
#include "presentation/TroviaTableView.h"
#include "presentation/TroviaWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

ResultListWindow::ResultListWindow(TroviaWindow *main, QWidget *searchField)
    : QWidget(main, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                        Qt::BypassWindowManagerHint),
      mainWindow(main), field(searchField), table(new TroviaTableView(this)),
      rows(new ResultListModel(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The list geometry decides the size, down to a single row.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    table->setMinimumSize(1, 1);
    layout->addWidget(table);
    table->setModel(rows);

    // The list window is never active, yet its selection is the launcher's: show it as such.
    QPalette palette = table->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    table->setPalette(palette);

    connect(mainWindow, &TroviaWindow::moved, this, &ResultListWindow::followMainWindow);
    connect(mainWindow, &TroviaWindow::resized, this, &ResultListWindow::setupListFrame);
    mainWindow->installEventFilter(this);
    mainWindowRelease.setSingleShot(true);
    mainWindowRelease.setInterval(mainWindowWaitLimit);
    connect(&mainWindowRelease, &QTimer::timeout, this, &ResultListWindow::releaseMainWindow);
}

void ResultListWindow::setupListFrame()
{
    if (!field)
        return;
    const TroviaRect fieldFrame = ScreenCoordinates::withinView(
        QRect(field->mapTo(mainWindow, QPoint(0, 0)), field->size()), mainWindow->height());
    const QPoint fieldCentre = field->mapToGlobal(field->rect().center());
    const QScreen *screen = QGuiApplication::screenAt(fieldCentre);
    if (!screen)
        screen = mainWindow->screen();
    const TroviaRect frame =
        listFrame(mainWindow->frame(), fieldFrame, rows->rowCount(), table->rowMetrics(),
                  maximumListHeight, ScreenCoordinates::fromQt(screen->geometry()));
    setGeometry(ScreenCoordinates::toQt(frame));
    offsetFromMainWindow = pos() - mainWindow->pos();
    if (isVisible())
        update();
}

void ResultListWindow::attach()
{
    offsetFromMainWindow = pos() - mainWindow->pos();
    attached = true;
    show();
    raise();
}

void ResultListWindow::detach()
{
    attached = false;
    hide();
}

void ResultListWindow::followMainWindow()
{
    if (attached)
        move(mainWindow->pos() + offsetFromMainWindow);
}

void ResultListWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    mainWindowHold = MainWindowHold::NotYet;
    windowHandle()->installEventFilter(this);
    mainWindow->windowSystem().showOnAllDesktops(windowHandle());
}

void ResultListWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    releaseMainWindow();
}

bool ResultListWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle()) {
        // The list is drawn as this exposure is handled; the main window's request, posted now,
        // comes after it.
        if (event->type() == QEvent::Expose && windowHandle()->isExposed())
            releaseMainWindow();
        return false;
    }
    // A keystroke leaves both windows to be drawn, the main window's request queued first.
    if (watched != mainWindow || event->type() != QEvent::UpdateRequest || !isVisible())
        return QWidget::eventFilter(watched, event);
    if (windowHandle()->isExposed()) {
        // The list's own request, if it has one, goes ahead.
        QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
        return false;
    }
    // Just shown: the list is drawn on its exposure, which on X11 follows the map by a round trip
    // to the server. The main window waits for it once per showing, and no longer than
    // mainWindowWaitLimit should it never come. A repaint asked for at once waits too.
    if (mainWindowHold != MainWindowHold::NotYet)
        return mainWindowHold == MainWindowHold::Holding;
    mainWindowHold = MainWindowHold::Holding;
    mainWindowRelease.start();
    return true;
}

void ResultListWindow::releaseMainWindow()
{
    if (mainWindowHold != MainWindowHold::Holding)
        return;
    mainWindowHold = MainWindowHold::Released;
    mainWindowRelease.stop();
    QCoreApplication::postEvent(mainWindow, new QEvent(QEvent::UpdateRequest));
}
