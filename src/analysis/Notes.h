// The report notes (OPOMBE of the settings row): stored as Qt rich text;
// a note from an older database may still be RTF and is shown as its text.
#pragma once

#include <QString>

namespace gibomer {

// True for a stored note that is RTF ("{\rtf...").
bool isRtfNote(const QString& stored);

// The plain text of an RTF document: control words, destinations such as
// the font and colour tables, and braces are removed; \par and \line become
// line breaks, \tab a tab, \'hh a Windows-1250 character, \uN a Unicode one.
QString rtfToPlainText(const QString& rtf);

// The note as HTML for a rich-text box or a report: Qt rich text as stored,
// RTF as its plain text, anything else as plain text.
QString notesToHtml(const QString& stored);

} // namespace gibomer
