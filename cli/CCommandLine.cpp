#include "CCommandLine.h"

const CCommandLine::Option CCommandLine::s_options[] = {
    {"tree", 't', false, kTree},    {"list", 'l', false, kList},
    {"size", 's', false, kSize},    {"date", 'd', false, kDate},
    {"output", 'o', true, kOutput}, {"replace", 0, false, kReplace},
    {"append", 0, false, kAppend},  {"lf", 0, false, kLf},
    {"help", 'h', false, kHelpId},  {"version", 'V', false, kVersionId},
    {nullptr, 0, false, kHelpId},
};

bool CCommandLine::Parse(int argc, const char* const* argv) {
    bool optionsEnded = false;
    // Help and version end the reading at once: whatever follows them does not matter.
    for (int index = 1; index < argc && m_action == kListing; index++) {
        std::string_view arg = argv[index];
        // "-" alone is a name, as is every argument that does not start with "-".
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            m_strDirectory = CString(arg);
            m_nOperands++;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg[1] == '-') {
            if (!ParseLong(arg.substr(2), argc, argv, index))
                return false;
        } else if (!ParseShort(arg.substr(1), argc, argv, index)) {
            return false;
        }
    }
    return m_action != kListing || CheckOperands();
}

bool CCommandLine::ParseLong(std::string_view body, int argc, const char* const* argv, int& index) {
    size_t equals = body.find('=');
    std::string_view name = body.substr(0, equals);
    const Option* option = FindLong(name);
    if (!option)
        return false;
    const CString shown = CString("'--") + CString(option->longName) + "'";
    if (!option->takesValue) {
        if (equals != std::string_view::npos)
            return Fail("option " + shown + " takes no value");
        Apply(option->id, {});
        return true;
    }
    if (equals != std::string_view::npos) {
        Apply(option->id, body.substr(equals + 1));
        return true;
    }
    if (index + 1 >= argc)
        return Fail("option " + shown + " needs a FILE");
    Apply(option->id, argv[++index]);
    return true;
}

bool CCommandLine::ParseShort(std::string_view cluster, int argc, const char* const* argv,
                              int& index) {
    for (size_t i = 0; i < cluster.size(); i++) {
        const Option* option = FindShort(cluster[i]);
        if (!option)
            return Fail(CString("unknown option '-") + cluster[i] + "'");
        if (!option->takesValue) {
            Apply(option->id, {});
            if (m_action != kListing)
                return true;
            continue;
        }
        // The value is the rest of the bundle, or else the next argument.
        if (i + 1 < cluster.size()) {
            Apply(option->id, cluster.substr(i + 1));
            return true;
        }
        if (index + 1 >= argc)
            return Fail(CString("option '-") + cluster[i] + "' needs a FILE");
        Apply(option->id, argv[++index]);
        return true;
    }
    return true;
}

// An exact name, or else a beginning that fits exactly one option.
const CCommandLine::Option* CCommandLine::FindLong(std::string_view name) {
    const Option* found = nullptr;
    int matches = 0;
    for (const Option* option = s_options; option->longName; option++) {
        std::string_view longName = option->longName;
        if (longName == name)
            return option;
        if (!name.empty() && longName.substr(0, name.size()) == name) {
            found = option;
            matches++;
        }
    }
    if (matches == 1)
        return found;
    const CString shown = "'--" + CString(name) + "'";
    Fail(matches == 0 ? "unknown option " + shown : "option " + shown + " is ambiguous");
    return nullptr;
}

const CCommandLine::Option* CCommandLine::FindShort(char name) {
    for (const Option* option = s_options; option->longName; option++) {
        if (option->shortName == name)
            return option;
    }
    return nullptr;
}

void CCommandLine::Apply(OptionId id, std::string_view value) {
    switch (id) {
        case kTree:
            m_bTree = true;
            break;
        case kList:
            m_bTree = false;
            break;
        case kSize:
            m_bSize = true;
            break;
        case kDate:
            m_bDate = true;
            break;
        case kOutput:
            m_bHasOutput = true;
            m_strOutputFile = CString(value);
            break;
        case kReplace:
            m_bReplace = true;
            break;
        case kAppend:
            m_bAppend = true;
            break;
        case kLf:
            m_bLf = true;
            break;
        case kHelpId:
            m_action = kHelp;
            break;
        case kVersionId:
            m_action = kVersion;
            break;
    }
}

bool CCommandLine::CheckOperands() {
    if (m_nOperands == 0)
        return Fail("missing DIRECTORY");
    if (m_nOperands > 1)
        return Fail("only one DIRECTORY can be listed");
    // An empty name would become the separator alone: the whole file system.
    if (m_strDirectory.IsEmpty())
        return Fail("DIRECTORY is empty");
    if (m_bReplace && m_bAppend)
        return Fail("--replace and --append exclude each other");
    if ((m_bReplace || m_bAppend) && !m_bHasOutput)
        return Fail("--replace and --append need --output FILE");
    return true;
}

bool CCommandLine::Fail(const CString& text) {
    m_strError = text;
    return false;
}
