#pragma once
// Every number the program names a window, control, menu item or flag by. The window builders, the
// dispatcher and the tests use these names; the toolkit reads the flags.

// --- Windows ---------------------------------------------------------------------------------------

inline constexpr int kMainWindow = 0;
/// Every dialog: new or changed customer or article, a customer's e-invoice data, the new-invoice window,
/// the options window, the company data.
/// Opening one closes the one before.
inline constexpr int kDialogWindow = 1;
/// The invoice line dialog, owned by the new-invoice window.
inline constexpr int kLineDialog = 2;
inline constexpr int kAboutWindow = 20;
/// The search window, owned by the main window; it stays open for further searches.
inline constexpr int kSearchWindow = 21;
/// The period asked for an export ("DATEV-Export", "Umsatzsteuer-Übersicht", ...).
inline constexpr int kPeriodWindow = 40;
/// The VAT return's figures of a period.
inline constexpr int kVatWindow = 41;
/// "Gutschrift": the credit note of the selected invoice, owned by the main window.
inline constexpr int kCreditNoteWindow = 60;
/// The payments of one invoice, owned by the main window: a new payment, and the list of earlier ones.
inline constexpr int kPaymentWindow = 50;
/// A received e-invoice, owned by the main window.
inline constexpr int kReceivedInvoiceWindow = 30;

// --- Window flags ----------------------------------------------------------------------------------

/// Centred on the screen.
inline constexpr int kWindowCentred = 0x1;
/// Centred on its owner.
inline constexpr int kWindowCentredOnOwner = 0x2;
/// A title bar.
inline constexpr int kWindowCaption = 0xC00000;
/// A close box in the title bar.
inline constexpr int kWindowCloseBox = 0x80000;
/// The main window: title bar, close box, centred.
inline constexpr int kMainWindowFlags = kWindowCaption | kWindowCloseBox | kWindowCentred;
/// The options window: title bar without a close box, centred.
inline constexpr int kOptionsWindowFlags = kWindowCaption | kWindowCentred;

// --- Control flags and list event types -------------------------------------------------------------

/// Text field: read-only.
inline constexpr int kTextFieldReadOnly = 0x800;
/// Slider: tick marks.
inline constexpr int kSliderTicks = 0x1;
/// ReportList: the whole row is highlighted.
inline constexpr int kListFullRowSelect = 0x40000000;
/// ReportList: grid lines.
inline constexpr int kListGridLines = 0x10000;
/// ReportList: the selection stays visible when the list has no focus.
inline constexpr int kListShowSelectionAlways = 0x8;
/// The flags of every ReportList of the program (one selected row at a time in any case).
inline constexpr int kReportListFlags = kListFullRowSelect | kListGridLines | kListShowSelectionAlways;
/// Event type of a list: the selection changed.
inline constexpr int kSelectionChanged = 0;
/// Event type of a list: a row was double-clicked.
inline constexpr int kDoubleClicked = 2;
/// Event types of a text field that reports its edits: the text was edited, Enter was pressed.
inline constexpr int kTextEdited = 1;
inline constexpr int kEnterPressed = 3;
/// The number asked for a control the program never addresses (labels).
inline constexpr int kAnonymous = -1;

// --- Message box -----------------------------------------------------------------------------------

inline constexpr int kMessageOk = 0;
inline constexpr int kMessageYesNo = 4;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// --- Menu items of the main window ------------------------------------------------------------------

inline constexpr int kMainMenu = 0;
inline constexpr int kSaveItem = 10002;
/// "Suchen..." (Ctrl+F), "Liste drucken..." and "Liste exportieren (CSV)...": they act on the list of
/// the page showing.
inline constexpr int kFindItem = 10003;
inline constexpr int kPrintListItem = 10004;
inline constexpr int kExportListItem = 10005;
inline constexpr int kExitItem = 10007;
inline constexpr int kOptionsItem = 10009;
inline constexpr int kCompanyDataItem = 10010;
inline constexpr int kAboutItem = 10011;
inline constexpr int kCheckArchiveItem = 10012;
/// The menu "Buchhaltung" and the backup's two items of "File".
inline constexpr int kDatevExportItem = 10030;
inline constexpr int kVatOverviewItem = 10031;
inline constexpr int kAuditExportItem = 10032;
inline constexpr int kBackupItem = 10033;
inline constexpr int kRestoreItem = 10034;
/// "E-Rechnung öffnen..." (Ctrl+O).
inline constexpr int kOpenEInvoiceItem = 10020;
/// F3 in the main or the search window: the last search again. A key, not a menu item; it arrives as a
/// menu command all the same.
inline constexpr int kFindAgainKey = 10100;

// --- Main window -----------------------------------------------------------------------------------

inline constexpr int kTabPanel = 0;
/// The pages of the tab panel, in their order.
inline constexpr int kCustomersPage = 0;
inline constexpr int kArticlesPage = 1;
inline constexpr int kInvoicesPage = 2;
inline constexpr int kOffersPage = 3;
inline constexpr int kReceivedPage = 4;

/// The main window's three lists are the program's store of customers, articles and invoices.
inline constexpr int kCustomerList = 15;
inline constexpr int kArticleList = 17;
inline constexpr int kInvoiceList = 18;

inline constexpr int kNewCustomerButton = 100;
inline constexpr int kDeleteCustomerButton = 101;
inline constexpr int kChangeCustomerButton = 102;
inline constexpr int kCustomerEInvoiceButton = 103;
inline constexpr int kNewArticleButton = 110;
inline constexpr int kDeleteArticleButton = 111;
inline constexpr int kChangeArticleButton = 112;
inline constexpr int kNewInvoiceButton = 210;
inline constexpr int kDeleteInvoiceButton = 211;
/// "Stornieren" and "Gutschrift": a cancellation or credit note of the selected invoice.
inline constexpr int kCancelCorrectionButton = 212;
inline constexpr int kCreditNoteButton = 213;
/// The credit note window: its lines, the line's Menge and Einzelpreis with "\xC4ndern", "Eintrag
/// L\xF6schen", "Grund der Gutschrift", "Gutschrift erstellen" and "Abbruch".
inline constexpr int kCreditLinesList = 21000;
inline constexpr int kCreditQuantityField = 21001;
inline constexpr int kCreditPriceField = 21002;
inline constexpr int kCreditChangeButton = 21003;
inline constexpr int kCreditDeleteButton = 21004;
inline constexpr int kCreditReasonField = 21005;
inline constexpr int kCreditCreateButton = 21006;
inline constexpr int kCreditCancelButton = 21007;
/// "Zahlung" and "Mahnung" act on the selected invoice.
inline constexpr int kPaymentButton = 220;
inline constexpr int kDunningButton = 221;
/// The invoices page's line above its buttons: how many invoices are overdue.
inline constexpr int kOverdueNotice = 18020;

// --- Customer and article dialogs --------------------------------------------------------------------

/// The six fields of a customer dialog are numbered from its first field on, in column order.
inline constexpr int kNewCustomerFirstField = 1000;
inline constexpr int kNewCustomerOkButton = 1100;
inline constexpr int kChangeCustomerFirstField = 2000;
inline constexpr int kChangeCustomerOkButton = 2100;
/// The four fields of an article dialog likewise.
inline constexpr int kNewArticleFirstField = 3000;
inline constexpr int kNewArticleOkButton = 3100;
inline constexpr int kChangeArticleFirstField = 4000;
inline constexpr int kChangeArticleOkButton = 4100;

/// The customer list has six columns on view and, hidden behind them, the six e-invoice values from
/// this column on: E-Mail, Leitweg-ID, USt-IdNr., PLZ, Ort, Land.
inline constexpr int kCustomerEInvoiceColumn = 6;
inline constexpr int kCustomerEInvoiceColumns = 6;
/// The customer's own number, hidden after them: "Kd-Nr." on paper, in the register and the e-invoice.
inline constexpr int kCustomerIdColumn = kCustomerEInvoiceColumn + kCustomerEInvoiceColumns;
/// The e-invoice dialog of a customer numbers its six fields in the same order.
inline constexpr int kCustomerEInvoiceFirstField = 8000;
inline constexpr int kCustomerEInvoiceOkButton = 8100;
/// The customer's Steuerfall in the e-invoice dialog, kept hidden in the column after the customer's
/// number ("" Inland, "AE", "K", "G").
inline constexpr int kCustomerTaxCaseBox = 20020;
inline constexpr int kCustomerTaxCaseColumn = kCustomerIdColumn + 1;
/// The article dialogs' USt-Satz, Steuerkategorie and Einheit; the article list keeps the three hidden
/// behind its four columns, from kArticleTaxColumn on.
inline constexpr int kArticleRateField = 20000;
inline constexpr int kArticleCategoryBox = 20001;
inline constexpr int kArticleUnitBox = 20002;
inline constexpr int kArticleTaxColumn = 4;

// --- New-invoice window and line dialog --------------------------------------------------------------

/// The lines list of the new-invoice window holds the invoice being composed.
inline constexpr int kLinesList = 19;
inline constexpr int kNewLineButton = 300;
inline constexpr int kDeleteLineButton = 301;
inline constexpr int kCustomerPicks = 310;
inline constexpr int kCreateInvoiceButton = 311;
inline constexpr int kCancelInvoiceButton = 312;
inline constexpr int kDeliveryNoteButton = 313;
/// Leistungsdatum, Zahlungsziel (with company data only) and the type-ahead "Kunde suchen".
inline constexpr int kDeliveryDateField = 320;
inline constexpr int kPaymentDaysField = 321;
inline constexpr int kCustomerSearchField = 322;
/// "Nicht gefunden" under "Kunde suchen" while no customer matches what is typed.
inline constexpr int kCustomerNotFoundLabel = 19000;
/// The running total (net, tax, gross) right of the line buttons.
inline constexpr int kRunningTotalLabel = 19500;

inline constexpr int kArticlePicks = 5000;
inline constexpr int kQuantityField = 5001;
inline constexpr int kPriceField = 5002;
inline constexpr int kLineOkButton = 5100;
/// The line's USt-Satz and Einheit, taken over from the article and changeable for this line.
inline constexpr int kLineRateField = 20010;
inline constexpr int kLineUnitBox = 20011;
/// A free line's Bezeichnung and Beschreibung, in place of an article.
inline constexpr int kFreeNameField = 20012;
inline constexpr int kFreeDescriptionField = 20013;
/// The lines list keeps the line's rate, category and unit code hidden from this column on.
inline constexpr int kLineTaxColumn = 6;

// --- Options window ----------------------------------------------------------------------------------

inline constexpr int kLogoLine1Field = 6000;
inline constexpr int kLogoLine2Field = 6009;
inline constexpr int kLogoCaption = 1;
inline constexpr int kLogoSizeSlider = 6001;
inline constexpr int kCompanyAddressField = 6003;
inline constexpr int kCompanyAddressCaption = 4;
inline constexpr int kCompanyAddressSizeSlider = 6004;
inline constexpr int kCustomerAddressSizeCaption = 6;
inline constexpr int kCustomerAddressSizeSlider = 6005;
inline constexpr int kInvoiceTextSizeCaption = 8;
inline constexpr int kInvoiceTextSizeSlider = 6006;
inline constexpr int kOtherTextSizeCaption = 10;
inline constexpr int kOtherTextSizeSlider = 6007;
/// Footer block k (1 to 4) is text area kFooterArea1 + k - 1.
inline constexpr int kFooterArea1 = 6010;
inline constexpr int kTaxNumberField = 6015;
inline constexpr int kTaxRateField = 6016;
inline constexpr int kPricesGrossBox = 6017;
inline constexpr int kSaveOptionsButton = 6008;

// --- Company data dialog -----------------------------------------------------------------------------

/// The fourteen fields from Firmenname to Zahlungsbedingungen, in the order of Firma.ini's keys.
inline constexpr int kCompanyFirstField = 7000;
inline constexpr int kSmallBusinessBox = 7015;
inline constexpr int kSaveCompanyButton = 7100;
/// Its section "Buchhaltung".
inline constexpr int kAdviserNumberField = 17100;
inline constexpr int kClientNumberField = 17101;
inline constexpr int kChartBox = 17102;
inline constexpr int kFiscalYearStartField = 17103;
inline constexpr int kAccountLengthField = 17104;
inline constexpr int kDebtorsBox = 17105;
/// The nine accounts that replace the chart's, in the order of CompanyData::accounts.
inline constexpr int kFirstAccountField = 17110;
// --- Payment window and the receivables' company data ----------------------------------------------

/// Datum, Betrag and Bemerkung of the new payment, then "OK".
inline constexpr int kPaymentDateField = 18000;
inline constexpr int kPaymentAmountField = 18001;
inline constexpr int kPaymentRemarkField = 18002;
inline constexpr int kPaymentOkButton = 18003;
/// The invoice and its open amount, above the fields.
inline constexpr int kPaymentHeading = 18004;
/// The earlier payments of the invoice, and "Entfernen" for the selected one.
inline constexpr int kPaymentList = 18010;
inline constexpr int kRemovePaymentButton = 18011;
/// The company data dialog's fields from "Skonto %" to "Zahlungsziel für Mahnungen", in their order.
inline constexpr int kReceivablesFirstField = 18030;

// --- Search window ------------------------------------------------------------------------------------

inline constexpr int kFindField = 9000;
/// "Weitersuchen"; Enter in the field presses it.
inline constexpr int kFindNextButton = 9100;

// --- Period dialog and VAT window --------------------------------------------------------------------

inline constexpr int kPeriodFromField = 17000;
inline constexpr int kPeriodToField = 17001;
/// "Zahlungen exportieren", in the DATEV export's dialog only.
inline constexpr int kExportPaymentsBox = 17002;
/// "OK" of the period dialog; its number tells which export the period is for.
inline constexpr int kDatevOkButton = 17003;
inline constexpr int kVatOkButton = 17004;
inline constexpr int kAuditOkButton = 17005;
/// The figures and the invoices behind them.
inline constexpr int kVatList = 17010;
inline constexpr int kVatPrintButton = 17011;
inline constexpr int kVatCloseButton = 17012;
/// The period the figures are of, above the list.
inline constexpr int kVatPeriodCaption = 17013;
// --- Received e-invoices -----------------------------------------------------------------------------

/// The main window's list of the received invoices kept in Eingang: Datum, Lieferant, Rechnungsnr.,
/// Zahlbetrag, Fällig am, and hidden behind them the kept file's name.
inline constexpr int kReceivedList = 16000;
inline constexpr int kReceivedFileColumn = 5;
/// The window of a received invoice: its buttons, the check's findings, the details and the lines.
inline constexpr int kReceivedPrintButton = 16100;
inline constexpr int kReceivedKeepButton = 16101;
inline constexpr int kReceivedAttachmentsButton = 16102;
inline constexpr int kReceivedFindingsList = 16110;
inline constexpr int kReceivedDetailsList = 16111;
inline constexpr int kReceivedLinesList = 16112;

// --- Offers -----------------------------------------------------------------------------------------

/// The offers page: its list (the store of the offers, as the invoice list is of the invoices) and
/// "Neu", "L�schen", "Als Rechnung", "Angenommen", "Abgelehnt".
inline constexpr int kOfferList = 22000;
inline constexpr int kNewOfferButton = 230;
inline constexpr int kDeleteOfferButton = 231;
inline constexpr int kOfferToInvoiceButton = 232;
inline constexpr int kOfferAcceptedButton = 233;
inline constexpr int kOfferRejectedButton = 234;
/// The new-invoice window composing an offer: "Angebot erstellen" in place of "Rechnung erstellen",
/// and "G�ltig bis".
inline constexpr int kCreateOfferButton = 22010;
inline constexpr int kValidUntilField = 22011;

// --- About window ------------------------------------------------------------------------------------

inline constexpr int kAboutCloseButton = 15000;

// --- Recurring invoices -------------------------------------------------------------------------------

/// "Serie" on the invoices page: the selected invoice becomes a template.
inline constexpr int kSeriesButton = 235;
/// The template dialog, and the list of the due templates, both owned by the main window.
inline constexpr int kSeriesWindow = 70;
inline constexpr int kDueSeriesWindow = 71;
/// "Fällige Serienrechnungen..." of the menu "File".
inline constexpr int kDueSeriesItem = 10065;
/// Intervall, next date and end of the template dialog, then "OK".
inline constexpr int kSeriesIntervalBox = 22500;
inline constexpr int kSeriesNextField = 22501;
inline constexpr int kSeriesEndField = 22502;
inline constexpr int kSeriesOkButton = 22503;
/// The due templates, "nur archivieren" (with company data), "Erstellen" and "Abbruch".
inline constexpr int kDueSeriesList = 22510;
inline constexpr int kDueSeriesArchiveBox = 22511;
inline constexpr int kDueSeriesCreateButton = 22512;
inline constexpr int kDueSeriesCancelButton = 22513;
