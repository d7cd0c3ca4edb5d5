#include "presentation/ScreenReaderAnnouncer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QStatusBar>
#include <QWidget>

namespace
{

// A notice in a status line: it has the notification role, which plain widgets lack.
class AnnouncementNotice : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    static QAccessibleInterface *accessibleInterface(const QString &className, QObject *object)
    {
        if (className != QLatin1String(staticMetaObject.className()))
            return nullptr;
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    }
};

} // namespace

ScreenReaderAnnouncer::ScreenReaderAnnouncer(QWidget *sourceWidget, QObject *parent)
    : QObject(parent), source(sourceWidget)
{
    settle.setSingleShot(true);
    settle.setInterval(settleMs);
    connect(&settle, &QTimer::timeout, this, &ScreenReaderAnnouncer::speak);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    static const bool installed = [] {
        QAccessible::installFactory(&AnnouncementNotice::accessibleInterface);
        return true;
    }();
    Q_UNUSED(installed);
    // Beside the source, out of sight: a screen reader hears it, nobody sees it.
    auto *line = new QStatusBar(source->parentWidget());
    line->setSizeGripEnabled(false);
    line->setGeometry(0, 0, 1, 1);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice = new AnnouncementNotice(line);
    notice->setGeometry(0, 0, 1, 1);
    notice->hide();
    line->show();
#endif
}

void ScreenReaderAnnouncer::announce(const QString &text)
{
    pending = text;
    settle.start();
}

void ScreenReaderAnnouncer::cancel()
{
    settle.stop();
    pending.clear();
}

void ScreenReaderAnnouncer::speak()
{
    const QString text = pending;
    pending.clear();
    if (text.isEmpty() || !source->isVisible())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(source, text);
    QAccessible::updateAccessibility(&event);
#else
    // Becoming visible is what is spoken; the notice is hidden first so that the same text is
    // spoken again when the same state comes again.
    notice->hide();
    notice->setAccessibleName(text);
    notice->show();
#endif
    Q_EMIT spoken(text);
}

#include "ScreenReaderAnnouncer.moc"
