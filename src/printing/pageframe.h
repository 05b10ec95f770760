#pragma once
// The page frame shared by the invoice and the delivery note: the letterhead at the top and the
// footer of four text blocks at the bottom. Texts that would run past the printable area end there
// with "…".

/// Draws the logo lines, the company's address, the customer's address, the tax number, today's
/// date and the customer number. A page must be open; the last font selected stays current.
void drawLetterhead();

/// Draws the four footer blocks side by side, five lines each. A page must be open.
void drawFooter();
