// BrowDataSource.cpp - CBrowDataSource, the data-source dialog "Select Data
// Source" (dialog 307).

#include "BrowDataSource.h"

CBrowDataSource::CBrowDataSource()
{
}

CBrowDataSource::~CBrowDataSource()
{
}
