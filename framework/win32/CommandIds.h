#pragma once

// Command and control ids the framework itself gives a meaning to; the resource compiler reads
// this file too, so it holds nothing but definitions.
#define ID_HELP 0xE146
#define IDC_STATIC (-1)
