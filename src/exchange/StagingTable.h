// The staging table through which every import passes: one record is one
// pupil's results of one year. Text is cut to its field's width without a
// message; a field never set reads back empty (0 as a number).
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace gibomer {

class StagedRecord
{
public:
    static constexpr int EmsoWidth = 20;
    static constexpr int NameWidth = 20;
    static constexpr int MeritveWidth = 50;
    static constexpr int OddelekWidth = 20;

    void setEmso(const QString& text) { m_emso = text.left(EmsoWidth); }
    void setPriimek(const QString& text) { m_priimek = text.left(NameWidth); }
    void setIme(const QString& text) { m_ime = text.left(NameWidth); }
    void setMeritve(const QString& text) { m_meritve = text.left(MeritveWidth); }
    void setOddelek(const QString& text) { m_oddelek = text.left(OddelekWidth); }
    // The birth date as a day serial (0 is 30.12.1899).
    void setRojstvo(double serial) { m_rojstvo = serial; }
    void setSola(int v) { m_sola = v; }
    void setLeto(int v) { m_leto = v; }
    void setVrsta(int v) { m_vrsta = v; }
    void setRazred(int v) { m_razred = v; }
    void setSpol(int v) { m_spol = v; }

    QString emso() const { return m_emso; }
    QString priimek() const { return m_priimek; }
    QString ime() const { return m_ime; }
    QString meritve() const { return m_meritve; }
    QString oddelek() const { return m_oddelek; }
    double rojstvo() const { return m_rojstvo.value_or(0); }
    bool hasRojstvo() const { return m_rojstvo.has_value(); }
    int sola() const { return m_sola.value_or(0); }
    int leto() const { return m_leto.value_or(0); }
    int vrsta() const { return m_vrsta.value_or(0); }
    int razred() const { return m_razred.value_or(0); }
    int spol() const { return m_spol.value_or(0); }
    // Integer fields read as text: empty when never set.
    QString solaText() const { return text(m_sola); }
    QString letoText() const { return text(m_leto); }
    QString vrstaText() const { return text(m_vrsta); }
    QString razredText() const { return text(m_razred); }
    QString spolText() const { return text(m_spol); }

private:
    static QString text(const std::optional<int>& v) { return v ? QString::number(*v) : QString(); }

    QString m_emso, m_priimek, m_ime, m_meritve, m_oddelek;
    std::optional<double> m_rojstvo;
    std::optional<int> m_sola, m_leto, m_vrsta, m_razred, m_spol;
};

class StagingTable
{
public:
    // Empties the table (the readers do this before they add records).
    void clear()
    {
        m_records.clear();
        m_current = -1;
    }
    // A new record in front of the current one; it becomes the current one.
    // A reader that adds its lines in order thus leaves them reversed.
    StagedRecord& insert()
    {
        const int at = m_current < 0 ? 0 : m_current;
        m_records.insert(m_records.begin() + at, StagedRecord());
        m_current = at;
        return m_records[at];
    }
    int size() const { return static_cast<int>(m_records.size()); }
    bool isEmpty() const { return m_records.empty(); }
    // In table order, first to last (the order in which the engine visits them).
    const StagedRecord& at(int i) const { return m_records[i]; }
    StagedRecord& at(int i) { return m_records[i]; }
    int currentIndex() const { return m_current; }
    const StagedRecord& current() const { return m_records[m_current]; }
    StagedRecord& current() { return m_records[m_current]; }
    auto begin() const { return m_records.begin(); }
    auto end() const { return m_records.end(); }

private:
    std::vector<StagedRecord> m_records;
    int m_current = -1;
};

} // namespace gibomer
