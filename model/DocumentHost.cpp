// DocumentHost.cpp - the installed document host.

#include "DocumentHost.h"

namespace
{
CDocumentHost* s_pHost = NULL;
}

CDocumentHost* GetDocumentHost()
{
    return s_pHost;
}

CDocumentHost* SetDocumentHost(CDocumentHost* pHost)
{
    CDocumentHost* pOld = s_pHost;
    s_pHost = pHost;
    return pOld;
}
