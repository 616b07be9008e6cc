// model_resource.h - ids of the publication's messages (model.rc).

#pragma once

#define IDS_FILE_TOO_LARGE              6200    // %1 the file, %2 the limit ("16 MB")
#define IDS_DATA_SOURCE_NEEDED          6201
#define IDS_PICTURE_NOT_SUPPORTED       6202    // %1 the file
#define IDS_PICTURE_UNREADABLE          6203    // %1 the file
#define IDS_BACKGROUND_UNREADABLE       6204    // %1 the file
#define IDS_CANNOT_CONNECT              6205
#define IDS_WRONG_FORMAT                6206
#define IDS_PASSWORD_NOT_STORED         6207
#define IDS_TEMPLATE_HAS_DATA_SOURCE    6208
#define IDS_FILE_OPEN_IN_OTHER_WINDOW   6209    // %1 the file
#define IDS_PICTURE_TOO_LARGE           7600    // %1 the file, %2 its size, %3 the largest side, %4 the most pixels
