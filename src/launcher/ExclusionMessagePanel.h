#pragma once

#include <QObject>
#include <QPointer>

class QCheckBox;
class QDialog;
class QWidget;
class Settings;

// The message shown after an exclusion, telling where to undo it (ExclusionMessagePanel.ui,
// application-modal), unless the user turned it off with its check box.
class ExclusionMessagePanel : public QObject
{
    Q_OBJECT
public:
    explicit ExclusionMessagePanel(Settings &settings, QObject *parent = nullptr);

    // Shows a fresh panel over parentWindow and returns when the user closed it.
    void showMessageIfAppropriate(QWidget *parentWindow);
    void closeMessagePanel();

private:
    Settings &settings;
    // The newest panel and its check box that turns the message off.
    QPointer<QDialog> exclusionMessagePanel;
    QPointer<QCheckBox> exclusionMessageFlag;
};
