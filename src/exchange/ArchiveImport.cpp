#include "exchange/ArchiveImport.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Prompter.h"
#include "exchange/ExchangeReader.h"
#include "exchange/Windows1250.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <memory>
#include <zip.h>

namespace gibomer {

namespace {

// Far above any school's data; keeps a hostile archive from filling memory.
constexpr qint64 MaxArchiveContent = 512LL * 1024 * 1024;

const QStringList SchoolColumns = {QStringLiteral("SOLA_SIFRA"), QStringLiteral("NAZIV"),
                                   QStringLiteral("NASLOV"), QStringLiteral("POSTA"), QStringLiteral("KRAJ")};

struct ZipCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipFile = std::unique_ptr<zip_file_t, ZipFileCloser>;

struct Member
{
    QString storedName;
    QString baseName;
    QByteArray content;
};

class WrongPassword
{
};

QString zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

ZipArchive openArchive(const QString& path)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (archive)
        return ZipArchive(archive);
    const QString name = QFileInfo(path).fileName();
    switch (code) {
    case ZIP_ER_NOZIP:
        throw AppError(QStringLiteral("Datoteka %1 ni arhiv ZIP, zato je ni mogoče uvoziti.").arg(name),
                       path);
    case ZIP_ER_INCONS:
    case ZIP_ER_CRC:
        throw AppError(QStringLiteral("Arhiv %1 je poškodovan, zato ga ni mogoče uvoziti.").arg(name),
                       zipErrorText(code));
    default:
        throw AppError(QStringLiteral("Arhiva %1 ni mogoče odpreti.").arg(name), zipErrorText(code));
    }
}

bool isPasswordError(int code)
{
    return code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_NOPASSWD;
}

// A member's bytes could not be read: with an encrypted member, a wrong
// password shows only here (the traditional scheme's one-byte check lets
// about one wrong password in 256 through to the checksum).
[[noreturn]] void memberFailed(const QString& storedName, bool encrypted, int code)
{
    if (isPasswordError(code) ||
        (encrypted && (code == ZIP_ER_CRC || code == ZIP_ER_ZLIB || code == ZIP_ER_COMPRESSED_DATA)))
        throw WrongPassword();
    if (code == ZIP_ER_ENCRNOTSUPP || code == ZIP_ER_COMPNOTSUPP)
        throw AppError(QStringLiteral("Datoteke %1 v arhivu ni mogoče prebrati: program ne pozna njenega "
                                      "šifriranja ali stiskanja.")
                           .arg(storedName),
                       zipErrorText(code));
    throw AppError(
        QStringLiteral("Datoteke %1 v arhivu ni mogoče prebrati: arhiv je poškodovan.").arg(storedName),
        zipErrorText(code));
}

std::vector<Member> readMembers(zip_t* archive, const QByteArray& password)
{
    zip_set_default_password(archive, password.isEmpty() ? nullptr : password.constData());
    std::vector<Member> members;
    qint64 total = 0;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* rawName = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        const QString storedName = rawName ? QString::fromUtf8(rawName) : QString();
        Member member{storedName, memberBaseName(storedName), {}};
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0)
            memberFailed(storedName, false, zip_error_code_zip(zip_get_error(archive)));
        const bool encrypted =
            (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE;
        const bool isAes = encrypted && (stat.encryption_method == ZIP_EM_AES_128 ||
                                         stat.encryption_method == ZIP_EM_AES_192 ||
                                         stat.encryption_method == ZIP_EM_AES_256);
        if (storedName.endsWith(QLatin1Char('/')) || storedName.endsWith(QLatin1Char('\\'))) {
            members.push_back(std::move(member)); // a folder: nothing to read
            continue;
        }

        ZipFile file(zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0));
        if (!file)
            memberFailed(storedName, encrypted, zip_error_code_zip(zip_get_error(archive)));
        char buffer[64 * 1024];
        while (true) {
            const zip_int64_t n = zip_fread(file.get(), buffer, sizeof buffer);
            if (n < 0) {
                const int code = zip_error_code_zip(zip_file_get_error(file.get()));
                // AES members of the second kind carry no checksum (it is 0) and are
                // authenticated instead; libzip still compares the 0 at the end of
                // a compressed member. All the data has been read by then.
                if (code == ZIP_ER_CRC && isAes && (stat.valid & ZIP_STAT_SIZE) &&
                    zip_uint64_t(member.content.size()) == stat.size)
                    break;
                memberFailed(storedName, encrypted, code);
            }
            if (n == 0)
                break;
            total += n;
            if (total > MaxArchiveContent)
                throw AppError(
                    QStringLiteral("Arhiv je prevelik za podatke šole, zato ga ni mogoče uvoziti."));
            member.content.append(buffer, static_cast<qsizetype>(n));
        }
        if ((stat.valid & ZIP_STAT_SIZE) && zip_uint64_t(member.content.size()) != stat.size)
            memberFailed(storedName, encrypted, ZIP_ER_INCONS);
        members.push_back(std::move(member));
    }
    return members;
}

// The program's own files in baza are never replaced from an archive: the
// database and its journals, the upgrade scripts (run at the next start) and
// the backup copies of the database.
bool isProtectedName(const QString& baseName, const TDM& dm)
{
    const QString database = QFileInfo(dm.folder().databaseFile()).fileName();
    for (const QString& suffix :
         {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (baseName.compare(database + suffix, Qt::CaseInsensitive) == 0)
            return true;
    }
    static const QRegularExpression programFiles(QStringLiteral("^(D\\d{4}\\.txt|gmr-kopija-.*\\.mdb)$"),
                                                 QRegularExpression::CaseInsensitiveOption);
    return programFiles.match(baseName).hasMatch();
}

void writeMember(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw IoError(QStringLiteral("Datoteke %1 ni mogoče zapisati: %2").arg(path, file.errorString()));
}

QStringList schoolLines(QByteArray content)
{
    if (const qsizetype eof = content.indexOf('\x1A'); eof >= 0)
        content.truncate(eof);
    QString text = fromWindows1250(content);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    while (lines.size() < SchoolColumns.size())
        lines << QString();
    return lines;
}

// Fills only the empty school columns of the settings row.
void fillSchoolData(TDM& dm, const QStringList& lines)
{
    Dataset& settings = dm.A_NASTAVITVE();
    if (!settings.isOpen())
        settings.open();
    if (!settings.isEditing()) {
        if (settings.isEmpty())
            settings.insert();
        else
            settings.edit();
    }
    try {
        for (int i = 0; i < SchoolColumns.size(); ++i) {
            if (settings.field(SchoolColumns[i]).toString().isEmpty() && !lines[i].isEmpty())
                settings.setField(SchoolColumns[i], lines[i]);
        }
    } catch (...) {
        settings.post();
        throw;
    }
    settings.post();
}

} // namespace

QString memberBaseName(const QString& storedName)
{
    const qsizetype slash =
        std::max(storedName.lastIndexOf(QLatin1Char('/')), storedName.lastIndexOf(QLatin1Char('\\')));
    return storedName.mid(slash + 1);
}

ArchiveImportSummary ImportArchive(TDM& dm, const QString& path, const QString& password,
                                   ProgressDisplay& progress, KeptYear keptYear)
{
    QFile::remove(dm.folder().bazaFile(QStringLiteral("sola.txt")));

    ZipArchive archive = openArchive(path);
    if (zip_get_num_entries(archive.get(), 0) <= 0)
        throw AppError(
            QStringLiteral("Arhiv %1 je prazen, zato ga ni mogoče uvoziti.").arg(QFileInfo(path).fileName()));

    // Archives made on older systems may hold a password with Slovenian
    // letters in Windows-1250 rather than UTF-8.
    QList<QByteArray> passwords{password.toUtf8()};
    if (toWindows1250(password) != passwords.front())
        passwords << toWindows1250(password);
    std::vector<Member> members;
    bool opened = false;
    for (const QByteArray& candidate : passwords) {
        try {
            members = readMembers(archive.get(), candidate);
            opened = true;
            break;
        } catch (const WrongPassword&) {
        }
    }
    if (!opened)
        abortWithMessage(dm.prompter(), WrongPasswordMessage);

    const Member* school = nullptr;
    for (const Member& member : members) {
        if (member.baseName.compare(QStringLiteral("sola.txt"), Qt::CaseInsensitive) == 0)
            school = &member;
    }
    if (!school)
        throw AppError(QStringLiteral("V arhivu %1 ni podatkov o šoli (datoteke sola.txt), zato ga ni mogoče "
                                      "uvoziti.")
                           .arg(QFileInfo(path).fileName()));

    ArchiveImportSummary summary;
    std::vector<bool> written(members.size(), false);
    for (std::size_t i = 0; i < members.size(); ++i) {
        const Member& member = members[i];
        const bool folder =
            member.storedName.endsWith(QLatin1Char('/')) || member.storedName.endsWith(QLatin1Char('\\'));
        if (folder)
            continue;
        if (member.baseName.isEmpty() || member.baseName == QLatin1String(".") ||
            member.baseName == QLatin1String("..") || isProtectedName(member.baseName, dm)) {
            summary.notExtracted << member.storedName;
            continue;
        }
        writeMember(dm.folder().bazaFile(member.baseName), member.content);
        summary.extracted << member.baseName;
        written[i] = true;
    }

    const QStringList lines = schoolLines(school->content);
    summary.schoolName = lines[1];
    fillSchoolData(dm, lines);

    for (std::size_t i = 0; i < members.size(); ++i) {
        const Member& member = members[i];
        if (!written[i] || !member.storedName.startsWith(QLatin1Char('S')))
            continue;
        ReadExchangeFile(dm.folder().bazaFile(member.baseName), dm.RxMMeritve());
        const QString caption = QStringLiteral("Uvažam šolo ") + summary.schoolName +
                                QStringLiteral(". Leto ") + member.storedName.right(2);
        try {
            summary.imported.push_back(
                {member.storedName, caption, ImportStagedRecords(dm, progress, caption)});
        } catch (const ImportDeclined&) {
            if (keptYear == KeptYear::EndsArchive)
                throw;
            summary.kept << member.storedName;
        }
    }
    return summary;
}

QString archiveImportReport(const ArchiveImportSummary& summary)
{
    int records = 0, written = 0, added = 0, reused = 0, skipped = 0;
    QStringList years;
    for (const ImportedMember& member : summary.imported) {
        records += member.summary.recordsRead;
        written += member.summary.resultsWritten;
        added += member.summary.pupilsAdded;
        reused += member.summary.pupilsReused;
        skipped += member.summary.recordsSkipped();
        years << member.storedName.right(2);
    }
    QString text = QStringLiteral("Uvoz je končan. Šola: %1.\nUvoženih datotek: %2 (leta %3).\n"
                                  "Prebranih zapisov: %4, zapisanih rezultatov: %5.\n"
                                  "Novih učencev: %6, že znanih učencev: %7.")
                       .arg(summary.schoolName)
                       .arg(summary.imported.size())
                       .arg(years.isEmpty() ? QStringLiteral("-") : years.join(QStringLiteral(", ")))
                       .arg(records)
                       .arg(written)
                       .arg(added)
                       .arg(reused);
    if (skipped > 0)
        text += QStringLiteral("\nZapisov brez rezultatov (napačno zapisani rezultati): %1.").arg(skipped);
    return text;
}

} // namespace gibomer
