#pragma once
// The main window: menu bar and the three pages with their buttons and lists.

/// Window and list numbers of the main window.
inline constexpr int kMainWindow = 0;
inline constexpr int kCustomerList = 15;
inline constexpr int kArticleList = 17;
inline constexpr int kInvoiceList = 18;

/// Builds the main window (window 0). Returns false when the window could not be opened.
bool buildMainWindow();
