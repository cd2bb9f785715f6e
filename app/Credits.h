#pragma once

// Who made the program, as the splash and About windows show it.
namespace Credits {

inline constexpr char author[] = "Екипът на Orvanta";
inline constexpr char origin[] = "Енциклопедичен проект Telvane, България";
// The author's web site; set at configure time with TELVANE_SITE_URL.
inline constexpr char siteUrl[] = TELVANE_SITE_URL;

} // namespace Credits
