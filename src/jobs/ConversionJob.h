// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EncodeSettings.h"

#include <QString>

// One new job on its way into the table. The add flows fill it, hand it to
// CMyListView::InsertJob and drop it; afterwards the job lives only as the
// text cells of its row.
struct ConversionJob {
    int id = 0;               // job number, NextJobId when the record is filled
    int type = 0;             // job type code; every job is of type 0
    QString source;           // full path of the source MP3 file
    QString result;           // full path of the result MP3 file
    EncodeSettings settings;  // what the result is to be
    int status = 0;           // 0 for a new job: waiting
};
