// The exchange text file: one pupil per line in fixed columns, with the
// Slovenian letters in older byte spellings. Read into the staging table.
#pragma once

#include "exchange/StagingTable.h"

#include <QByteArray>
#include <QString>

namespace gibomer {

// Empties the staging table and adds one record per line, each in front of
// the current one; the record of the last line stays current. Lines may end
// with CR LF, LF or CR; an end-of-file mark (1A) ends the text. A file that
// cannot be opened or read throws IoError and leaves the table as it was.
void ReadExchangeFile(const QString& path, StagingTable& staging);

// The same for text already in memory.
void ReadExchangeData(const QByteArray& data, StagingTable& staging);

// One line into one record; fields that do not convert stay empty.
void ReadExchangeLine(const QByteArray& line, StagedRecord& record);

} // namespace gibomer
