// stdafx.h - class library headers shared by the UI framework foundation.

#pragma once

#include "afxwin.h"
#include "afxcoll.h"
#include "afxtempl.h"
#include "afxmt.h"
#include <commctrl.h>
