#pragma once
// Adding, changing and deleting articles: the buttons of the articles page and their dialogs.

/// "Neu" (110): opens the new-article dialog.
void newArticleClicked();
/// "Löschen" (111): asks, then removes the selected article row.
void deleteArticleClicked();
/// "Ändern" (112): takes the selected row out and opens the change-article dialog; with nothing
/// selected it only says so.
void changeArticleClicked();
/// "OK" of the new-article dialog (3100): appends the row, unless the designation is missing or the
/// price is no amount.
void newArticleOkClicked();
/// "OK" of the change-article dialog (4100): puts the edited row back in its place, on the same terms.
void changeArticleOkClicked();
