// ElementStream.h - the element list as an object stream, and checked reads of file data.
//
// Notes
// - The layout of element records being read is bound to the archive that reads them
//   (CElementLayoutScope); an archive without a scope reads the current layout (201).
//   Nothing a previous read did changes how a later stream is read.
// - ReadElementList accepts elements only: a null object, a back-reference or a class
//   that is not an element is a format error. On any error the list stays empty and
//   every element read so far is deleted.

#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "afxtempl.h"

class CElement;

typedef CTypedPtrList<CObList, CElement*> CElementList;

// Layout versions of the publication file.
const int FILE_VERSION_OLD_SHEET = 200;   // first version with sheet size and description
const int FILE_VERSION_CURRENT = 201;     // the version written

// Sane limits for sizes read from files.
const int MAX_FILE_STRING_LENGTH = 16 * 1024 * 1024;
const int MAX_FILE_POINT_COUNT = 16 * 1024 * 1024;
const int MAX_PICTURE_DIMENSION = 32767;
const LONGLONG MAX_PICTURE_PIXELS = 64LL * 1024 * 1024;
// Coordinates, sizes and the shadow length, in hundredths of an inch: 1000 inches either
// way, forty times the largest design the program makes.
const int MAX_FILE_COORDINATE = 100000;
// Line widths: 10 inches.
const int MAX_FILE_LINE_WIDTH = 1000;
// Font heights and widths: 10000 points.
const int MAX_FILE_FONT_SIZE = 10000;

// Binds the layout version of element records read through one archive for the life of
// the object.
class CElementLayoutScope
{
public:
    CElementLayoutScope(CArchive& ar, int nVersion);
    ~CElementLayoutScope();
    CElementLayoutScope(const CElementLayoutScope&) = delete;
    CElementLayoutScope& operator=(const CElementLayoutScope&) = delete;

    // Layout version for records read through ar: the innermost scope's, else 201.
    static int GetVersion(const CArchive& ar);

private:
    const CArchive* m_pArchive;
    int m_nVersion;
    CElementLayoutScope* m_pOuter;   // next scope out on this thread
};

// Writes the list as the class library's object list (count, then the objects).
void WriteElementList(CArchive& ar, CElementList& list);
// Reads an object list of elements in the layout nVersion and appends them to list.
// Throws a CArchiveException on malformed data; list is then left as it was.
void ReadElementList(CArchive& ar, CElementList& list, int nVersion);
// The clipboard's element stream: the list alone, always in the current layout.
void SerializeClipboardElements(CArchive& ar, CElementList& list);

// Deletes every element of the list and empties it.
void DeleteElements(CElementList& list);

// A string of the archive format with its length checked against nMaxLength and the
// bytes that remain.
CString ReadFileString(CArchive& ar, int nMaxLength = MAX_FILE_STRING_LENGTH);
// Raises the archive's format error.
[[noreturn]] void ThrowFileFormatError(CArchive& ar);
// An int of the archive that must lie within -nLimit..nLimit, else a format error.
int ReadBoundedInt(CArchive& ar, int nLimit);
// n brought within -nLimit..nLimit: what the writer stores, so that every file it makes
// can be read back.
int ClampToLimit(int n, int nLimit);
// True for a finite number within -MAX_FILE_COORDINATE..MAX_FILE_COORDINATE.
bool IsFileCoordinate(double v);
// True when the element's rectangle and line width lie within the bounds a file may
// hold; drawing leaves out elements that do not (they could come only from elsewhere).
bool IsElementWithinFileBounds(const CElement* pElement);

// Registers every element class for creation by name.
void RegisterElementClasses();
