#pragma once
// The numbers of the windows and lists that several subsystems read and change by number: the main
// window's three lists are the program's store of customers, articles and invoices, and the lines
// list of the new-invoice window holds the invoice being composed.

inline constexpr int kMainWindow = 0;
inline constexpr int kCustomerList = 15;
inline constexpr int kArticleList = 17;
inline constexpr int kInvoiceList = 18;
inline constexpr int kLinesList = 19;
