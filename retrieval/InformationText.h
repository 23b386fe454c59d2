#pragma once
#include <QString>

#include "retrieval/Extractors.h"

namespace retrieval {

// The summary shown in the information box: one block per field, "Title: " to "Description: ",
// each the label, the value as extracted and two CR LF pairs. An absent field leaves out its block.
QString InformationText(const VideoInfo& info);

}  // namespace retrieval
