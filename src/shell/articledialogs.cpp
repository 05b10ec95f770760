#include "shell/articledialogs.h"
// Filled in by the issue that builds these handlers; until then they do nothing.
void newArticleClicked() {}
void deleteArticleClicked() {}
void changeArticleClicked() {}
void newArticleOkClicked() {}
void changeArticleOkClicked() {}
