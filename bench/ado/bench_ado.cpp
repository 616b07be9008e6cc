// bench_ado.cpp - reading speed of the data-access layer, as the data-source loader reads:
// open the connection and the statement, then every value of every record as text.
//
//   bench_ado.exe [runs]
// Tables: every user table of nwind.mdb, and a generated 50,000-record .xls.
#include "ADODataBase.h"
#include "AdoConnection.h"
#include "AdoRecordset.h"
#include "XlsBenchWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

struct Result
{
    long records = 0;
    int fields = 0;
    size_t characters = 0;
    bool ok = false;
};

// One full read through the wrappers; the result counts what was read.
Result ReadAll(const std::string& connection, const std::string& sql)
{
    Result result;
    CADODataBase db;
    if (!db.Open(connection.c_str(), "", ""))
    {
        fprintf(stderr, "%s\n", (LPCTSTR)db.GetLastError());
        return result;
    }
    CADORecordset rs(&db);
    if (!rs.Open(sql.c_str()))
    {
        fprintf(stderr, "%s\n", (LPCTSTR)rs.GetLastError());
        return result;
    }
    result.fields = rs.GetFieldCount();
    result.records = rs.GetRecordCount();
    for (long r = 0; r < result.records; ++r)
    {
        for (int i = 0; i < result.fields; ++i)
        {
            CString value;
            rs.GetFieldValue(i, value);
            result.characters += value.GetLength();
        }
        rs.MoveNext();
    }
    result.ok = true;
    return result;
}

void Measure(const char* label, const std::string& connection, const std::string& sql, int runs)
{
    std::vector<double> times;
    Result result;
    for (int run = 0; run < runs; ++run)
    {
        double start = Now();
        result = ReadAll(connection, sql);
        times.push_back(Now() - start);
        if (!result.ok)
        {
            printf("%-36s failed\n", label);
            return;
        }
    }
    std::sort(times.begin(), times.end());
    printf("%-36s %7ld records x %2d fields  best %8.2f ms  median %8.2f ms\n", label, result.records,
           result.fields, times.front(), times[times.size() / 2]);
}

} // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    std::string nwind = std::string(TESTDATA_DIR) + "/access/nwind.mdb";
    std::string access = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + nwind + ";Jet OLEDB:Database Password=;";

    // Every user table of nwind.mdb, through the schema as the dialog lists them.
    std::vector<std::string> tables;
    {
        CADODataBase db;
        if (!db.Open(access.c_str()))
        {
            printf("%s\n", (LPCTSTR)db.GetLastError());
            return 1;
        }
        CADORecordset rs(&db);
        rs.OpenSchema(ado::adSchemaTables);
        while (!rs.IsEOF())
        {
            CString name, type;
            rs.GetFieldValue("TABLE_NAME", name);
            rs.GetFieldValue("TABLE_TYPE", type);
            if (type == "TABLE")
                tables.push_back((LPCTSTR)name);
            rs.MoveNext();
        }
    }
    for (const std::string& table : tables)
        Measure(("nwind.mdb [" + table + "]").c_str(), access, "SELECT * FROM [" + table + "]", runs);

    // A generated workbook of 50,000 records.
    std::vector<uint8_t> book = xlsbench::CompoundFile(xlsbench::WorkbookStream(50000));
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "xbn", 0, path);
    FILE* f = fopen(path, "wb");
    if (!f || fwrite(book.data(), 1, book.size(), f) != book.size())
    {
        printf("cannot write %s\n", path);
        return 1;
    }
    fclose(f);
    std::string excel = std::string("Driver={Microsoft Excel Driver (*.xls)};DriverId=790;Dbq=") + path + ";";
    char label[64];
    snprintf(label, sizeof(label), "generated.xls [Data$] (%.1f MB)", book.size() / 1048576.0);
    Measure(label, excel, "SELECT * FROM [Data$]", runs);
    DeleteFileA(path);
    return 0;
}
