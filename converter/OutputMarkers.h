#pragma once
// The words of the converter's diagnostic output that the conversion window follows, shared by
// both so that neither can change them alone. The converter writes the progress line itself; the
// libraries' description of the input and the output writes the other two.

namespace kodavert {

inline constexpr char DurationMarker[] = "Duration: ";
inline constexpr char OutputHeaderMarker[] = "Output #0";
// The blank is part of the marker, whatever the count's width.
inline constexpr char ProgressMarker[] = "frame= ";
// The position in seconds stands between these two, one separating character before the second.
inline constexpr char TimeMarker[] = "time=";
inline constexpr char BitrateMarker[] = "bitrate=";

}  // namespace kodavert
