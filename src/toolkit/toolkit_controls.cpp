// Creating controls into the current container.

#include "runtime/codepage.h"
#include "runtime/listmodel.h"
#include "runtime/lists.h"
#include "toolkit/toolkit_testing.h"
#include "toolkit/toolkitstate.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>

namespace {

/// Registers a new widget under a number (anonymous for -1) in the current container.
template <typename W> W* place(int& number, ControlKind kind, int x, int y, int width, int height) {
    const Container at = toolkit().current;
    if (!at.widget)
        return nullptr;
    if (number == -1)
        number = toolkit().nextAnonymous--;
    destroyControl(number);
    auto* widget = new W(at.widget);
    widget->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
    widget->show();
    toolkit().controls[number] = Control{kind, widget, at.window, nullptr};
    return widget;
}

void connectSelection(QAbstractItemView* view, int number, int window) {
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, view,
                     [number, window](const QItemSelection& selected, const QItemSelection&) {
                         if (!selected.isEmpty())
                             queueEvent(ControlEvent, window, number, 0);
                     });
    QObject::connect(view, &QAbstractItemView::doubleClicked, view,
                     [number, window](const QModelIndex&) { queueEvent(ControlEvent, window, number, 2); });
}

// The characters a TextField does not take, held by the field; CR, LF and NUL always, as each would
// split the line or the record the field's text is written into.
const char* const kForbidden = "quilloraForbidden";

QString lineBreaks() {
    return QStringLiteral("\r\n") + QChar(0);
}

// Takes the forbidden characters out of an edit, typed or pasted, and keeps the cursor where it was.
void dropForbidden(QLineEdit* field, const QString& text) {
    const QString banned = field->property(kForbidden).toString();
    QString kept;
    int cursor = field->cursorPosition();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (banned.contains(text.at(i))) {
            if (i < cursor)
                --cursor;
            continue;
        }
        kept.append(text.at(i));
    }
    if (kept.size() != text.size()) {
        field->setText(kept);
        field->setCursorPosition(cursor);
    }
}

// A ReportList's rows, some of them shown in red: those whose cell in one column reads one text.
class MarkingListModel : public ListModel {
  public:
    using ListModel::ListModel;
    void markWhere(int column, std::string_view text) {
        column_ = column;
        text_ = text;
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::ForegroundRole});
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::ForegroundRole && column_ >= 0 && index.isValid() && index.row() < rowCount() &&
            cell(index.row(), column_) == text_)
            return QColor(Qt::red);
        return ListModel::data(index, role);
    }

  private:
    int column_ = -1;
    std::string text_;
};

} // namespace

void forgetControl(int number) {
    auto it = toolkit().controls.find(number);
    if (it == toolkit().controls.end())
        return;
    if (it->second.model)
        registerList(number, nullptr);
    toolkit().controls.erase(it);
}

void destroyControl(int number) {
    auto it = toolkit().controls.find(number);
    if (it == toolkit().controls.end())
        return;
    QWidget* widget = it->second.widget;
    forgetControl(number);
    delete widget;
}

Control* findControl(int number) {
    auto it = toolkit().controls.find(number);
    if (it == toolkit().controls.end() || !it->second.widget)
        return nullptr;
    return &it->second;
}

QWidget* controlWidget(int number) {
    Control* control = findControl(number);
    return control ? control->widget.data() : nullptr;
}

int createPushButton(int number, int x, int y, int width, int height, std::string_view caption) {
    auto* button = place<QPushButton>(number, ControlKind::PushButton, x, y, width, height);
    if (!button)
        return 0;
    button->setText(toQString(caption));
    button->setAutoDefault(false);
    const int window = toolkit().current.window;
    QObject::connect(button, &QPushButton::clicked, button,
                     [number, window] { queueEvent(ControlEvent, window, number, 0); });
    return 1;
}

int createLabel(int number, int x, int y, int width, int height, std::string_view text) {
    auto* label = place<QLabel>(number, ControlKind::Label, x, y, width, height);
    if (!label)
        return 0;
    label->setText(toQString(text));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return 1;
}

int createTextField(int number, int x, int y, int width, int height, std::string_view text, int flags) {
    auto* field = place<QLineEdit>(number, ControlKind::TextField, x, y, width, height);
    if (!field)
        return 0;
    field->setText(toQString(text));
    field->setReadOnly((flags & kTextFieldReadOnly) != 0);
    field->setCursorPosition(0);
    field->setProperty(kForbidden, lineBreaks());
    QObject::connect(field, &QLineEdit::textEdited, field,
                     [field](const QString& edited) { dropForbidden(field, edited); });
    return 1;
}

int createTextArea(int number, int x, int y, int width, int height) {
    auto* area = place<QPlainTextEdit>(number, ControlKind::TextArea, x, y, width, height);
    if (!area)
        return 0;
    area->setLineWrapMode(QPlainTextEdit::NoWrap);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setProperty("quilloraNoLines", true);
    return 1;
}

int createCheckBox(int number, int x, int y, int width, int height, std::string_view caption) {
    auto* box = place<QCheckBox>(number, ControlKind::CheckBox, x, y, width, height);
    if (!box)
        return 0;
    box->setText(toQString(caption));
    return 1;
}

int createSlider(int number, int x, int y, int width, int height, int minimum, int maximum, int flags) {
    auto* slider = place<QSlider>(number, ControlKind::Slider, x, y, width, height);
    if (!slider)
        return 0;
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(std::max(minimum, 0), std::max(maximum, 0));
    slider->setValue(0);
    slider->setPageStep(1);
    if (flags & kSliderTicks) {
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(1);
    }
    return 1;
}

int createTabPanel(int number, int x, int y, int width, int height) {
    const Container before = toolkit().current;
    auto* panel = place<QTabWidget>(number, ControlKind::TabPanel, x, y, width, height);
    if (!panel)
        return 0;
    toolkit().savedContainers.push_back(before);
    // No container is current until a page is added.
    toolkit().current = Container{nullptr, before.window};
    return 1;
}

int createReportList(int number, int x, int y, int width, int height, std::string_view title0, int width0,
                     int flags) {
    auto* view = place<QTableView>(number, ControlKind::ReportList, x, y, width, height);
    if (!view)
        return 0;
    auto* model = new MarkingListModel(view);
    model->insertColumnAt(0, title0);
    view->setModel(model);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setSectionsMovable(false);
    view->horizontalHeader()->resizeSection(0, width0);
    model->setColumnWidth(0, width0);
    // The model keeps the widths the view shows, hidden columns at 0, for the searches, printouts and
    // exports, which read the lists without the views.
    QObject::connect(view->horizontalHeader(), &QHeaderView::sectionResized, model,
                     [model](int column, int, int width) { model->setColumnWidth(column, width); });
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior((flags & kListFullRowSelect) ? QAbstractItemView::SelectRows
                                                            : QAbstractItemView::SelectItems);
    view->setShowGrid((flags & kListGridLines) != 0);
    view->setTabKeyNavigation(false);
    toolkit().controls[number].model = model;
    registerList(number, model);
    return 1;
}

int createPickList(int number, int x, int y, int width, int height) {
    auto* view = place<QListView>(number, ControlKind::PickList, x, y, width, height);
    if (!view)
        return 0;
    auto* model = new ListModel(view);
    model->insertColumnAt(0, "");
    view->setModel(model);
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    toolkit().controls[number].model = model;
    registerList(number, model);
    connectSelection(view, number, toolkit().current.window);
    return 1;
}

int createComboBox(int number, int x, int y, int width, int height, std::string_view choices) {
    auto* box = place<QComboBox>(number, ControlKind::ComboBox, x, y, width, height);
    if (!box)
        return 0;
    box->addItems(toQString(choices).split(QLatin1Char('\n')));
    return 1;
}

void addColumn(int list, int position, std::string_view title, int width) {
    Control* control = findControl(list);
    if (!control || control->kind != ControlKind::ReportList)
        return;
    const int at = control->model->insertColumnAt(position, title);
    static_cast<QTableView*>(control->widget.data())->horizontalHeader()->resizeSection(at, width);
    control->model->setColumnWidth(at, width);
}

void addHiddenColumn(int list) {
    Control* control = findControl(list);
    if (!control || control->kind != ControlKind::ReportList)
        return;
    const int at = control->model->insertColumnAt(control->model->columns(), "");
    static_cast<QTableView*>(control->widget.data())->setColumnHidden(at, true);
}

void insertHiddenColumn(int list, int position) {
    Control* control = findControl(list);
    if (!control || control->kind != ControlKind::ReportList)
        return;
    const int at = control->model->insertColumnAt(position, "");
    static_cast<QTableView*>(control->widget.data())->setColumnHidden(at, true);
    // No width: searches, printouts and exports pass it over.
    control->model->setColumnWidth(at, 0);
}

void showColumn(int list, int column, std::string_view title, int width) {
    Control* control = findControl(list);
    if (!control || control->kind != ControlKind::ReportList ||
        !control->model->setCellText(-1, column, title))
        return;
    auto* view = static_cast<QTableView*>(control->widget.data());
    view->setColumnHidden(column, false);
    view->horizontalHeader()->resizeSection(column, width);
    control->model->setColumnWidth(column, width);
}

void markRowsWhere(int list, int column, std::string_view text) {
    Control* control = findControl(list);
    if (control && control->kind == ControlKind::ReportList)
        static_cast<MarkingListModel*>(control->model)->markWhere(column, text);
}

void setTooltip(int number, std::string_view text) {
    if (Control* control = findControl(number))
        control->widget->setToolTip(toQString(text));
}

void closeControlList() {
    if (toolkit().savedContainers.empty())
        return;
    toolkit().current = toolkit().savedContainers.back();
    toolkit().savedContainers.pop_back();
}

void focusControl(int number) {
    if (Control* control = findControl(number))
        control->widget->setFocus(Qt::OtherFocusReason);
}

void setTabOrder(std::span<const int> controls) {
    QWidget* previous = nullptr;
    for (const int number : controls) {
        Control* control = findControl(number);
        if (!control)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control->widget);
        previous = control->widget;
    }
}

void setForbiddenCharacters(int number, std::string_view forbidden) {
    Control* control = findControl(number);
    if (!control || control->kind != ControlKind::TextField)
        return;
    QWidget* field = control->widget;
    field->setProperty(kForbidden, field->property(kForbidden).toString() + toQString(forbidden));
}

void pressOnEnter(int field, int button) {
    Control* control = findControl(field);
    Control* target = findControl(button);
    if (!control || control->kind != ControlKind::TextField || !target ||
        target->kind != ControlKind::PushButton)
        return;
    auto* edit = static_cast<QLineEdit*>(control->widget.data());
    // The real button is clicked, so the program cannot tell Enter from a click.
    const QPointer<QPushButton> pushed = static_cast<QPushButton*>(target->widget.data());
    QObject::connect(edit, &QLineEdit::returnPressed, edit, [pushed] {
        if (pushed)
            pushed->click();
    });
}

void reportEdits(int field) {
    Control* control = findControl(field);
    if (!control || control->kind != ControlKind::TextField)
        return;
    auto* edit = static_cast<QLineEdit*>(control->widget.data());
    const int window = control->window;
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [field, window] { queueEvent(ControlEvent, window, field, kTextEdited); });
    QObject::connect(edit, &QLineEdit::returnPressed, edit,
                     [field, window] { queueEvent(ControlEvent, window, field, kEnterPressed); });
}
