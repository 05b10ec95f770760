#include "toolkit/toolkitwindow.h"

#include "toolkit/toolkitstate.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QVBoxLayout>

ToolkitWindow::ToolkitWindow(int number, int width, int height, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), number_(number), client_(new QWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    client_->setFixedSize(width, height);
    client_->setAutoFillBackground(true);
    layout->addWidget(client_);
    setAttribute(Qt::WA_AlwaysShowToolTips);
}

QMenuBar* ToolkitWindow::addMenuBar() {
    auto* bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);
    layout()->setMenuBar(bar);
    bar->show();
    relayout();
    return bar;
}

void ToolkitWindow::relayout() {
    layout()->invalidate();
    layout()->activate();
}

void ToolkitWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    queueEvent(CloseRequest, number_, 0, 0);
}
