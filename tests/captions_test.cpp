// Every caption fits its control at the sizes the windows were drawn for: the program's small dialog
// font must not cut a button text, a label or a column title.

#include "invoicing/linedialog.h"
#include "invoicing/newinvoicewindow.h"
#include "settings/companywindow.h"
#include "settings/optionswindow.h"
#include "shell/aboutwindow.h"
#include "shell/articledialogs.h"
#include "shell/customerdialogs.h"
#include "shell/customereinvoice.h"
#include "shell/paymentwindow.h"
#include "shell/perioddialog.h"
#include "shell/searchwindow.h"
#include "shell/vatwindow.h"
#include "state/companydata.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>

namespace {

/// Captions that do not fit, as "caption (needed > available)".
std::vector<std::string> cutCaptions(QWidget* window) {
    std::vector<std::string> cut;
    auto report = [&cut](const QString& text, int needed, int available) {
        if (needed > available)
            cut.push_back(text.toStdString() + " (" + std::to_string(needed) + " > " +
                          std::to_string(available) + ")");
    };
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->text().isEmpty() || !button->isVisibleTo(window))
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        report(button->text(), button->fontMetrics().horizontalAdvance(button->text()), contents.width());
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->window() == window && !label->text().isEmpty())
            report(label->text(), label->fontMetrics().horizontalAdvance(label->text()),
                   label->contentsRect().width());
    }
    for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
        if (field->isReadOnly()) // read-only fields serve as captions
            report(field->text(), field->fontMetrics().horizontalAdvance(field->text()),
                   field->width() - 2 * field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4);
    }
    for (QTableView* view : window->findChildren<QTableView*>()) {
        QHeaderView* header = view->horizontalHeader();
        const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin);
        for (int c = 0; c < header->count(); ++c) {
            if (header->isSectionHidden(c))
                continue;
            const QString title = view->model()->headerData(c, Qt::Horizontal).toString();
            report(title, header->fontMetrics().horizontalAdvance(title) + margin, header->sectionSize(c));
        }
    }
    return cut;
}

class CaptionsTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        start();
    }
    void expectAllFit(int window, const char* name) {
        SCOPED_TRACE(name);
        ASSERT_NE(windowWidget(window), nullptr);
        EXPECT_EQ(cutCaptions(windowWidget(window)), std::vector<std::string>{});
    }
};

TEST_F(CaptionsTest, EveryWindowShowsItsCaptionsWhole) {
    expectAllFit(0, "main window");
    openAboutWindow();
    expectAllFit(20, "about");
    openSearchWindow();
    expectAllFit(kSearchWindow, "search");
    newCustomerClicked();
    expectAllFit(1, "new customer");
    addRow(kCustomerList, -1, "Herr\nBeispiel");
    setState(kCustomerList, 0);
    changeCustomerClicked();
    expectAllFit(1, "change customer");
    newArticleClicked();
    expectAllFit(1, "new article");
    addRow(kArticleList, -1, "Schraube");
    setState(kArticleList, 0);
    changeArticleClicked();
    expectAllFit(1, "change article");
    openOptionsWindow();
    expectAllFit(1, "options");
    openCompanyWindow();
    expectAllFit(1, "company data");
    addRow(kCustomerList, -1, "Herr\nBeispiel");
    setState(kCustomerList, 0);
    customerEInvoiceClicked();
    expectAllFit(1, "customer e-invoice data");
    companyData().present = true; // with the Zahlungsziel field
    openNewInvoiceWindow();
    expectAllFit(1, "new invoice");
    openLineDialog();
    expectAllFit(2, "line dialog");
    const accounting::Period december{dateValueOf(2026, 12, 1), dateValueOf(2026, 12, 31)};
    openPeriodDialog("DATEV-Export", december, kDatevOkButton);
    expectAllFit(kPeriodWindow, "period");
    openVatWindow(december);
    expectAllFit(kVatWindow, "VAT figures");
    addRow(kInvoiceList, -1, "1\nBeispiel\n1\n1,00\n01.12.2026");
    setState(kInvoiceList, 0);
    openPaymentWindow();
    expectAllFit(kPaymentWindow, "payments");
}

} // namespace
