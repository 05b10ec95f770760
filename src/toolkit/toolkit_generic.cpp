// The generic operations: one set of calls whose meaning depends on the control's kind.

#include "runtime/codepage.h"
#include "runtime/listmodel.h"
#include "toolkit/toolkitstate.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QWidget>
#include <map>

namespace {

// A text area with no lines and one holding a single empty line show the same empty text; the
// property tells them apart, so that inserting empty lines one by one keeps every one of them.
const char* const kHasNoLines = "quilloraNoLines";

/// The lines of a text area; a new or cleared area has none.
QStringList areaLines(const QPlainTextEdit* area) {
    const QString text = area->toPlainText();
    if (text.isEmpty() && area->property(kHasNoLines).toBool())
        return {};
    return text.split(QLatin1Char('\n'));
}

void setAreaLines(QPlainTextEdit* area, const QStringList& lines) {
    area->setPlainText(lines.join('\n'));
    area->setProperty(kHasNoLines, lines.isEmpty());
}

int selectedRow(const Control& control) {
    const auto* view = static_cast<const QAbstractItemView*>(control.widget.data());
    const QModelIndexList rows = view->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

} // namespace

std::string getText(int number) {
    Control* control = findControl(number);
    if (!control)
        return {};
    switch (control->kind) {
    case ControlKind::TextField:
        return fromQString(static_cast<QLineEdit*>(control->widget.data())->text());
    case ControlKind::TextArea:
        return fromQString(static_cast<QPlainTextEdit*>(control->widget.data())->toPlainText());
    case ControlKind::Label:
        return fromQString(static_cast<QLabel*>(control->widget.data())->text());
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
        return fromQString(static_cast<QAbstractButton*>(control->widget.data())->text());
    case ControlKind::ComboBox:
        return fromQString(static_cast<QComboBox*>(control->widget.data())->currentText());
    default:
        return {};
    }
}

bool textsFitCodePage(int window, std::string_view before, std::string_view after) {
    // In the order of their numbers, which is the order of a dialog's fields.
    std::map<int, QWidget*> fields;
    for (const auto& [number, control] : toolkit().controls) {
        const bool text = control.kind == ControlKind::TextField || control.kind == ControlKind::TextArea;
        if (text && control.window == window && control.widget)
            fields[number] = control.widget.data();
    }
    for (const auto& [number, widget] : fields) {
        const auto* line = qobject_cast<QLineEdit*>(widget);
        const QString held = line ? line->text() : static_cast<QPlainTextEdit*>(widget)->toPlainText();
        const QString character = firstUnencodable(held);
        if (character.isEmpty())
            continue;
        widget->setFocus();
        askUser("Hinweis!", toQString(before) + character + toQString(after),
                std::string(before) + character.toStdString() + std::string(after), kMessageOk);
        return false;
    }
    return true;
}

void setText(int number, std::string_view text) {
    Control* control = findControl(number);
    if (!control)
        return;
    switch (control->kind) {
    case ControlKind::TextField: {
        auto* field = static_cast<QLineEdit*>(control->widget.data());
        field->setText(toQString(text));
        field->setCursorPosition(0);
        break;
    }
    case ControlKind::TextArea: {
        auto* area = static_cast<QPlainTextEdit*>(control->widget.data());
        area->setPlainText(toQString(text));
        area->setProperty(kHasNoLines, text.empty());
        break;
    }
    case ControlKind::Label:
        static_cast<QLabel*>(control->widget.data())->setText(toQString(text));
        break;
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
        static_cast<QAbstractButton*>(control->widget.data())->setText(toQString(text));
        break;
    default:
        break;
    }
}

int getState(int number) {
    Control* control = findControl(number);
    if (!control)
        return 0;
    switch (control->kind) {
    case ControlKind::CheckBox:
        return static_cast<QCheckBox*>(control->widget.data())->isChecked() ? 1 : 0;
    case ControlKind::Slider:
        return static_cast<QSlider*>(control->widget.data())->value();
    case ControlKind::PickList:
    case ControlKind::ReportList:
        return selectedRow(*control);
    case ControlKind::TabPanel:
        return static_cast<QTabWidget*>(control->widget.data())->currentIndex();
    case ControlKind::ComboBox:
        return static_cast<QComboBox*>(control->widget.data())->currentIndex();
    default:
        return 0;
    }
}

void setState(int number, int value) {
    Control* control = findControl(number);
    if (!control)
        return;
    switch (control->kind) {
    case ControlKind::CheckBox:
        static_cast<QCheckBox*>(control->widget.data())->setChecked(value != 0);
        break;
    case ControlKind::Slider:
        static_cast<QSlider*>(control->widget.data())->setValue(value);
        break;
    case ControlKind::PickList:
    case ControlKind::ReportList: {
        auto* view = static_cast<QAbstractItemView*>(control->widget.data());
        // A row appended a moment ago must be known to the view before it can be selected.
        control->model->announceRows();
        if (value < 0 || value >= control->model->rows()) {
            view->selectionModel()->clearSelection();
        } else {
            view->setCurrentIndex(control->model->index(value, 0));
            view->selectionModel()->select(control->model->index(value, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        break;
    }
    case ControlKind::TabPanel:
        static_cast<QTabWidget*>(control->widget.data())->setCurrentIndex(value);
        break;
    case ControlKind::ComboBox:
        static_cast<QComboBox*>(control->widget.data())->setCurrentIndex(value);
        break;
    default:
        break;
    }
}

void showRow(int list, int row) {
    Control* control = findControl(list);
    if (!control || (control->kind != ControlKind::ReportList && control->kind != ControlKind::PickList))
        return;
    setState(list, row);
    if (row >= 0 && row < control->model->rows())
        static_cast<QAbstractItemView*>(control->widget.data())->scrollTo(control->model->index(row, 0));
}

void addRow(int number, int position, std::string_view text) {
    Control* control = findControl(number);
    if (!control)
        return;
    switch (control->kind) {
    case ControlKind::ReportList:
        control->model->insertRowAt(position, text, '\n');
        break;
    case ControlKind::PickList:
        control->model->insertRowAt(position, text, '\0');
        break;
    case ControlKind::TextArea: {
        auto* area = static_cast<QPlainTextEdit*>(control->widget.data());
        QStringList lines = areaLines(area);
        const qsizetype at = (position < 0 || position > lines.size()) ? lines.size() : position;
        lines.insert(at, toQString(text));
        setAreaLines(area, lines);
        break;
    }
    case ControlKind::TabPanel: {
        auto* panel = static_cast<QTabWidget*>(control->widget.data());
        auto* page = new QWidget;
        page->setAutoFillBackground(true);
        panel->insertTab(position < 0 ? panel->count() : position, page, toQString(text));
        toolkit().current = Container{page, control->window};
        break;
    }
    default:
        break;
    }
}

void removeRow(int number, int row) {
    Control* control = findControl(number);
    if (!control)
        return;
    switch (control->kind) {
    case ControlKind::ReportList:
    case ControlKind::PickList: {
        // A removed row takes its selection with it; no other row becomes selected.
        const bool wasSelected = selectedRow(*control) == row;
        if (control->model->removeRowAt(row) && wasSelected)
            static_cast<QAbstractItemView*>(control->widget.data())->selectionModel()->clearSelection();
        break;
    }
    case ControlKind::TextArea: {
        auto* area = static_cast<QPlainTextEdit*>(control->widget.data());
        QStringList lines = areaLines(area);
        if (row >= 0 && row < lines.size()) {
            lines.removeAt(row);
            setAreaLines(area, lines);
        }
        break;
    }
    case ControlKind::TabPanel: {
        auto* panel = static_cast<QTabWidget*>(control->widget.data());
        if (row >= 0 && row < panel->count()) {
            QWidget* page = panel->widget(row);
            panel->removeTab(row);
            delete page;
        }
        break;
    }
    default:
        break;
    }
}

int rowCount(int number) {
    Control* control = findControl(number);
    if (!control)
        return 0;
    switch (control->kind) {
    case ControlKind::ReportList:
    case ControlKind::PickList:
        return control->model->rows();
    case ControlKind::TextArea:
        return static_cast<int>(areaLines(static_cast<QPlainTextEdit*>(control->widget.data())).size());
    case ControlKind::TabPanel:
        return static_cast<QTabWidget*>(control->widget.data())->count();
    default:
        return 0;
    }
}

std::string getCell(int number, int row, int column) {
    Control* control = findControl(number);
    if (!control)
        return {};
    switch (control->kind) {
    case ControlKind::ReportList:
        return std::string(control->model->cell(row, column));
    case ControlKind::PickList:
        return row < 0 ? std::string() : std::string(control->model->cell(row, 0));
    case ControlKind::TextArea: {
        const QStringList lines = areaLines(static_cast<QPlainTextEdit*>(control->widget.data()));
        return (row >= 0 && row < lines.size()) ? fromQString(lines.at(row)) : std::string();
    }
    default:
        return {};
    }
}

void setCell(int number, int row, std::string_view text, int column) {
    Control* control = findControl(number);
    if (!control)
        return;
    if (control->kind == ControlKind::ReportList)
        control->model->setCellText(row, column, text);
    else if (control->kind == ControlKind::PickList && row >= 0)
        control->model->setCellText(row, 0, text);
}
