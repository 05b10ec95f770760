#include "shell/openitemspage.h"

#include "payments/openitemcolumns.h"
#include "payments/receivables.h"
#include "runtime/lists.h"
#include "toolkit/toolkit.h"

void addOpenItemColumns() {
    const int first = listColumnCount(kInvoiceList);
    receivables().firstColumn = first;
    for (const OpenItemColumn& column : kOpenItemColumns)
        addColumn(kInvoiceList, listColumnCount(kInvoiceList), column.title, column.width);
    markRowsWhere(kInvoiceList, first + static_cast<int>(kOpenItemColumns.size()) - 1,
                  stateText(PaymentState::Overdue));
    // Above the buttons, where nothing else stands: the page says it without a question.
    createLabel(kOverdueNotice, 10, 0, 740, 14, "");
}

void showOverdueNotice() {
    setText(kOverdueNotice, overdueNotice());
}

void openItemChanged(std::string_view invoice, int rowHint) {
    fillOpenItemRow(invoiceRow(invoice, rowHint));
    showOverdueNotice();
}
