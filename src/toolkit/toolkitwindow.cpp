#include "toolkit/toolkitwindow.h"

#include "toolkit/toolkitstate.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
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

QStatusBar* ToolkitWindow::statusLine() {
    if (!status_) {
        status_ = new QStatusBar(this);
        status_->setSizeGripEnabled(false);
        layout()->addWidget(status_);
        relayout();
    }
    return status_;
}

void ToolkitWindow::relayout() {
    layout()->invalidate();
    layout()->activate();
}

void ToolkitWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    queueEvent(CloseRequest, number_, 0, 0);
}

void ToolkitWindow::keyPressEvent(QKeyEvent* event) {
    const auto entry = toolkit().windows.find(number_);
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (entry == toolkit().windows.end() || !entry->second.dialogKeys || !plain) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        queueEvent(CloseRequest, number_, 0, 0);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* button = qobject_cast<QPushButton*>(focusWidget());
        if (const Control* control = findControl(entry->second.defaultButton); !button && control)
            button = qobject_cast<QPushButton*>(control->widget.data());
        if (button && button->isEnabled()) {
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}
