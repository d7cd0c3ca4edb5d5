#include "presentation/MainView.h"

#include "ui_MainView.h"

MainView::MainView(QWidget *parent) : TroviaView(parent), ui(std::make_unique<Ui::MainView>())
{
    ui->setupUi(this);
}

MainView::~MainView() = default;

QLineEdit *MainView::textField() const
{
    return ui->textField;
}

QLabel *MainView::troviaLabel() const
{
    return ui->troviaLabel;
}

TroviaProgressIndicator *MainView::progressIndicator() const
{
    return ui->progressIndicator;
}
