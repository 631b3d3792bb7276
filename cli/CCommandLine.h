#pragma once

#include <string_view>

#include "CString.h"

// The options and the directory of one call, read in the GNU manner: long options with
// "--name VALUE" or "--name=VALUE" and any unambiguous abbreviation, short ones alone or
// bundled ("-tsd", "-oFILE"), options before or after the directory, "--" ending the options.
class CCommandLine {
public:
    enum Action { kListing, kHelp, kVersion };

    // False on wrong usage, with m_strError telling what was wrong.
    bool Parse(int argc, const char* const* argv);

    Action m_action = kListing;
    bool m_bTree = false;
    bool m_bSize = false;
    bool m_bDate = false;
    bool m_bHasOutput = false;
    CString m_strOutputFile;
    bool m_bReplace = false;
    bool m_bAppend = false;
    bool m_bLf = false;
    CString m_strDirectory;
    CString m_strError;

private:
    enum OptionId {
        kTree,
        kList,
        kSize,
        kDate,
        kOutput,
        kReplace,
        kAppend,
        kLf,
        kHelpId,
        kVersionId
    };
    struct Option {
        const char* longName;
        char shortName;  // 0 for none
        bool takesValue;
        OptionId id;
    };

    bool ParseLong(std::string_view body, int argc, const char* const* argv, int& index);
    bool ParseShort(std::string_view cluster, int argc, const char* const* argv, int& index);
    const Option* FindLong(std::string_view name);
    const Option* FindShort(char name);
    void Apply(OptionId id, std::string_view value);
    bool CheckOperands();
    bool Fail(const CString& text);

    static const Option s_options[];
    int m_nOperands = 0;
};
