#pragma once
// The payments of one invoice (window 50): a new payment with its date, amount and remark, and the
// list of the earlier ones, from which one can be removed again.

/// "Zahlung" (220): opens the window for the selected invoice, its date today and its amount the open
/// one.
void openPaymentWindow();
/// "OK" (18003): records the payment (asking first when it exceeds the open amount) and closes the
/// window.
void paymentOkClicked();
/// "Entfernen" (18011): removes the selected earlier payment, after asking.
void removePaymentClicked();
/// Closes the window, as its close box does.
void closePaymentWindow();
