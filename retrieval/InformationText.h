#pragma once
#include <QString>
#include <optional>

#include "retrieval/Extractors.h"

namespace retrieval {

// The summary shown in the information box: one block per field, "Title: " to "Description: ",
// each the label, the value as extracted and two CR LF pairs. An absent field other than the
// description leaves out its block; without a description there is nothing to show at all, and
// the box keeps what it had.
std::optional<QString> InformationText(const VideoInfo& info);

}  // namespace retrieval
