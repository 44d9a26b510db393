#pragma once

#include <QString>

struct LinkState;

// Which samples of the latest scan the data table lists, and the heading
// that says so. The serial scan keeps its fixed 540 rows; an Ethernet scan
// of up to 12,800 samples is listed every stride-th sample, so the table
// never holds more than MaxNetRows rows. No widgets here.
struct DataTableLayout
{
    enum class Source { None, Serial, Ethernet };

    static constexpr int SerialRows = 540;
    // Every standard Ethernet resolution lists at 0.5 degree a row, as the
    // serial scan does.
    static constexpr int MaxNetRows = 640;

    Source source = Source::None; // None: no scan shown yet
    int samples = 0;               // samples in the scan
    int stride = 1;                // every stride-th sample is listed
    int rows = SerialRows;
    bool udp = false;      // Ethernet over UDP rather than TCP
    bool reversed = false; // serial: the rows run from the other end

    // The layout for the scan the link's buffers hold now.
    static DataTableLayout of(const LinkState &link);

    // The buffer index listed in row r.
    int sampleOfRow(int row) const;
    // The number column 0 shows in row r: the row number for a serial scan,
    // the sample number (from 1) for an Ethernet one.
    int numberOfRow(int row) const;
    // LanguageFlag 0 Chinese, 1 English.
    QString heading(int languageFlag) const;

    bool operator==(const DataTableLayout &o) const
    {
        return source == o.source && samples == o.samples && stride == o.stride && rows == o.rows && udp == o.udp
            && reversed == o.reversed;
    }
    bool operator!=(const DataTableLayout &o) const { return !(*this == o); }
};
