// The shared library exports exactly the interface: every function declared in
// the public header, the BitConverter members, the record conversions of
// dorvo_records.h, and nothing else of ours.

#include "support/textfile.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::set<std::string> declaredFunctions()
{
    const std::string all = testsupport::readText(DORVO_HEADER_PATH);
    const std::regex decl(R"(DORVO_PREVIEW_API\s+[A-Za-z_ *]+?\b([A-Za-z_][A-Za-z0-9_]*)\s*\()");
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(all.begin(), all.end(), decl); it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    return names;
}

std::set<std::string> exportedSymbols()
{
    const std::string command = std::string("nm -D --defined-only ") + DORVO_LIBRARY_PATH;
    std::set<std::string> names;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return names;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream in(line);
        std::string address, kind, name;
        // Lower-case kinds are local symbols: listed, but nothing can bind to
        // them ('u', 'v' and 'w' are global nonetheless).
        if (in >> address >> kind >> name) {
            const char k = kind.empty() ? '?' : kind[0];
            if (std::isupper(static_cast<unsigned char>(k)) || k == 'u' || k == 'v' || k == 'w')
                names.insert(name);
        }
    }
    pclose(pipe);
    return names;
}

TEST(Symbols, ExactlyTheInterfaceIsExported)
{
#ifdef DORVO_SANITIZED_BUILD
    GTEST_SKIP() << "sanitizer builds export type information of their own";
#endif
    const std::set<std::string> declared = declaredFunctions();
    EXPECT_EQ(declared.size(), 233u);
    const std::set<std::string> exported = exportedSymbols();
    ASSERT_FALSE(exported.empty());

    for (const std::string& name : declared)
        EXPECT_TRUE(exported.count(name)) << "not exported: " << name;

    const std::set<std::string> linkerSymbols = {"_init", "_fini", "__bss_start", "_edata", "_end"};
    const std::set<std::string> bitConverterMembers = {
        "ByteToBytes",      "ShortToBytes",       "IntToBytes",       "ByteToShort", "ByteToInt",
        "ReverseByteArray", "ByteToASCIIToShort", "ByteToASCIIToInt", "is_str_utf8", "is_str_gbk"};
    // The calendar's, the timer's and the weather widgets' records.
    const std::set<std::string> recordConversions = {
        "to_json 5Units",          "from_json 5Units",         "to_json 10CountTimer",
        "from_json 10CountTimer",  "to_json 8Calendar",        "from_json 8Calendar",
        "to_json 4Area",           "from_json 4Area",          "to_json 11BaseWeather",
        "from_json 11BaseWeather", "to_json 13SimpleWeather",  "from_json 13SimpleWeather",
        "to_json 13SeniorWeather", "from_json 13SeniorWeather"};
    std::set<std::string> members;
    std::set<std::string> conversions;
    for (const std::string& name : exported) {
        if (declared.count(name) || linkerSymbols.count(name))
            continue;
        std::smatch m;
        if (std::regex_match(name, m, std::regex(R"(_ZN12BitConverter\d+([A-Za-z_0-9]+)E.*)"))) {
            members.insert(m[1]);
            continue;
        }
        if (std::regex_match(name, m, std::regex(R"(_ZN2ns\d+(to_json|from_json)E.*NS_(\d+[A-Za-z]+)E)"))) {
            conversions.insert(std::string(m[1]) + " " + std::string(m[2]));
            continue;
        }
        ADD_FAILURE() << "unexpected export: " << name;
    }
    EXPECT_EQ(members, bitConverterMembers);
    EXPECT_EQ(conversions, recordConversions);
}

} // namespace
