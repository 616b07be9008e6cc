// bench_data.cpp - loads a generated 100,000-row, 10-column CSV file into the
// loaded data table and prints the time taken; then times the data-entry dialog
// (bench_dataentry.cpp). "bench_data entry [presses]" times the dialog alone, with
// another number of Next presses.

#include <windows.h>

#include <afx.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include <algorithm>

#include "LineTokenizer.h"
#include "TextData.h"
#include "bench_dataentry.h"

namespace
{
const int kRows = 100000;
const int kColumns = 10;
const int kRuns = 5;

// A CSV text like a customer list: a header, quoted values with commas and
// quotes in some columns, an empty value now and then, CRLF line ends.
std::string MakeCsv()
{
    static const char* const names[] = { "Ann", "Bob", "Carla", "Dmitri", "Eve", "Farid" };
    static const char* const cities[] = { "Boston", "Rome", "\"Paris, France\"", "Oslo",
        "\"St. John's \"\"Old\"\" Town\"" };
    std::string text = "ID,First,Last,Company,Street,City,Zip,Phone,Email,Note\r\n";
    text.reserve(static_cast<size_t>(kRows) * 90);
    char line[512];
    for (int r = 1; r <= kRows; ++r)
    {
        snprintf(line, sizeof(line),
            "%d,%s,Lastname%d,\"Company %d, Inc.\",%d Main Street,%s,%05d,(555) %03d-%04d,"
            "user%d@example.com,%s\r\n",
            r, names[r % 6], r % 977, r % 313, r % 9000 + 1, cities[r % 5], r % 99999, r % 1000,
            r % 10000, r, (r % 7 == 0) ? "" : "regular");
        text += line;
    }
    return text;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& freq)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}
}

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "entry") == 0)
        return RunDataEntryBench(argc > 2 ? atoi(argv[2]) : 100);

    char szDir[MAX_PATH];
    char szPath[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    ::GetTempFileNameA(szDir, "swb", 0, szPath);

    const std::string text = MakeCsv();
    HANDLE h = ::CreateFileA(szPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD nWritten = 0;
    if (h == INVALID_HANDLE_VALUE ||
        !::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &nWritten, NULL))
    {
        fprintf(stderr, "cannot write %s\n", szPath);
        return 1;
    }
    ::CloseHandle(h);

    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    std::vector<double> times;
    int nResult = 0;
    for (int run = 0; run < kRuns; ++run)
    {
        char controls[TOKCTL_SIZE];
        InitTokenControls(controls);
        CDataTable table;
        LARGE_INTEGER t0, t1;
        ::QueryPerformanceCounter(&t0);
        const int nStatus = LoadDelimitedTextTable(szPath, ",", TRUE, controls, table);
        ::QueryPerformanceCounter(&t1);
        if (nStatus != TEXTLOAD_OK || table.m_nRows != kRows + 1 || table.m_nColumns != kColumns)
        {
            fprintf(stderr, "load failed: status %d, %d rows, %d columns\n", nStatus, table.m_nRows,
                table.m_nColumns);
            nResult = 1;
            break;
        }
        times.push_back(Seconds(t0, t1, freq));
    }
    ::DeleteFileA(szPath);
    if (nResult != 0)
        return nResult;

    std::sort(times.begin(), times.end());
    printf("bench_data: %d rows x %d columns CSV (%.1f MB) loaded in %.3f s (best of %d), "
           "median %.3f s\n",
        kRows, kColumns, text.size() / (1024.0 * 1024.0), times.front(), kRuns,
        times[times.size() / 2]);
    return RunDataEntryBench(100);
}
