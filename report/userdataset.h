#pragma once

// The row data source `frxUserDataSet1`: no fields, no storage, only a record count. The
// data band prints once per record; the resolver reads recNo() as the row index.
class UserDataSet
{
public:
    enum class RangeEnd { Count };

    void setRangeEnd(RangeEnd mode) { m_rangeEnd = mode; }
    RangeEnd rangeEnd() const { return m_rangeEnd; }
    // A negative count is taken as no records.
    void setRangeEndCount(int count) { m_rangeEndCount = count < 0 ? 0 : count; }
    int rangeEndCount() const { return m_rangeEndCount; }

    // Record 0, end flag cleared; with a count of 0 eof() is true at once.
    void first();
    // One record on; on reaching the count it stays at the last record and raises the flag.
    void next();

    int recNo() const { return m_recNo; }
    bool eof() const { return m_eof || m_recNo >= m_rangeEndCount; }

private:
    RangeEnd m_rangeEnd = RangeEnd::Count;
    int m_rangeEndCount = 0;
    int m_recNo = 0;
    bool m_eof = false;
};
