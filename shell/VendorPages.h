#pragma once

// The maker's web pages that the program opens or names.
inline constexpr char kHomePage[] = "https://www.nembrant.example/";
inline constexpr char kProductPage[] = "https://www.nembrant.example/quorvel/";
