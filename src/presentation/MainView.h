#pragma once

#include "presentation/TroviaView.h"

#include <memory>

class QLabel;
class QLineEdit;
class TroviaProgressIndicator;
namespace Ui
{
class MainView;
}

// The main window's view as MainView.ui describes it: the name label, the search field and the
// progress indicator inside the field's right end.
class MainView : public TroviaView
{
public:
    explicit MainView(QWidget *parent = nullptr);
    ~MainView() override;

    QLineEdit *textField() const;
    QLabel *troviaLabel() const;
    TroviaProgressIndicator *progressIndicator() const;

private:
    std::unique_ptr<Ui::MainView> ui;
};
