// Who makes ORV and where the user reaches them, as plain texts: the help
// window, the about panel and the phone book page's footer all name them.
#pragma once

namespace orv {

inline constexpr char kMakerName[] = "The ORV developers";
inline constexpr char kMakerWebPage[] = "https://orv.example.org/";
inline constexpr char kMakerDownloadPage[] = "https://orv.example.org/download/";
inline constexpr char kSupportAddress[] = "support@orv.example.org";

}  // namespace orv
