// The built program run as a user runs it, standard input from a file and no
// terminal, compared byte for byte with recorded runs and checked on faults.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support.hpp"

namespace zelvane {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::write_file;

const char* const output_names[] = {"fourier_response.txt", "inv_fourier.out", "real_inv.out"};

std::map<std::string, std::string> regular_files_in(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file()) files[entry.path().filename().string()] = read_file(entry.path());
    return files;
}

// Recorded runs: each folder under fixtures/runs holds the input files and
// the answers, and under expected/ the standard output and every output file
// the run must leave. An output file missing there must not be written.
std::vector<std::string> recorded_runs() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(ZELVANE_FIXTURES) / "runs"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class RecordedRun : public ::testing::TestWithParam<std::string> {};

TEST_P(RecordedRun, SameBytes) {
    const fs::path fixture = fs::path(ZELVANE_FIXTURES) / "runs" / GetParam();
    testing::scratch_dir dir;
    std::map<std::string, std::string> inputs = regular_files_in(fixture);
    const std::string answers = inputs.at("answers");
    inputs.erase("answers");
    for (const auto& [name, bytes] : inputs) write_file(dir / name, bytes);

    const testing::run_result run = testing::run_program_in(dir.path(), answers);

    const fs::path expected = fixture / "expected";
    EXPECT_EQ(run.exit_status, std::stoi(read_file(expected / "status")));
    EXPECT_EQ(run.output, read_file(expected / "stdout"));
    for (const char* name : output_names) {
        if (fs::exists(expected / name))
            EXPECT_EQ(read_file(dir / name), read_file(expected / name)) << name;
        else
            EXPECT_FALSE(fs::exists(dir / name)) << name;
    }
    for (const auto& [name, bytes] : inputs) EXPECT_EQ(read_file(dir / name), bytes) << name << " changed";
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RecordedRun, ::testing::ValuesIn(recorded_runs()),
                         [](const auto& run) { return run.param; });

// Bad input and faults: what a user may type or point the program at.
struct fault_case {
    const char* name;
    std::function<void(const fs::path&)> prepare;
    std::string answers;
    int exit_status;
    std::vector<std::string> shown;    // texts standard output must hold, in order
    std::vector<std::string> written;  // output files that must exist afterwards
};

const char* const small_input = "0 1 0\n1 2 0\n2 3 0\n";

void prepare_small(const fs::path& dir) {
    write_file(dir / "a.txt", small_input);
    write_file(dir / "b.txt", small_input);
}

std::string rows_up_to(int count) {
    std::string rows;
    for (int i = 0; i < count; ++i) rows += std::to_string(i) + " 1 0\n";
    return rows;
}

const std::string ended = "\r\n Input ended before every answer was given. \r\n";
const std::vector<std::string> all_outputs = {"fourier_response.txt", "inv_fourier.out", "real_inv.out"};

std::vector<fault_case> fault_cases() {
    const std::string long_component(300, 'n');
    std::string deep = std::string(59, 'd');
    for (int i = 0; i < 4; ++i) deep += "/" + std::string(59, 'd');
    return {
        {"missing file, then end of input",
         prepare_small,
         "nope.txt",
         2,
         {" Failed to open file: nope.txt \r\n", ended},
         {}},
        {"missing file, then a good one",
         prepare_small,
         "nope.txt a.txt 1 b.txt 1",
         1,
         {" Failed to open file: nope.txt \r\n", " File: a.txt opened. ", "Press any key to exit."},
         all_outputs},
        {"directory as the file name",
         [](const fs::path& d) {
             prepare_small(d);
             fs::create_directory(d / "sub");
         },
         "sub",
         2,
         {" Failed to open file: sub \r\n", ended},
         {}},
        {"empty file",
         [](const fs::path& d) {
             write_file(d / "a.txt", "");
             write_file(d / "b.txt", small_input);
         },
         "a.txt 1 b.txt 1",
         1,
         {"last1 = 0 \r\n", "\r\n last = -3 \r\n", "\r\n n= 0 \r\n"},
         all_outputs},
        {"binary garbage",
         [](const fs::path& d) {
             write_file(d / "a.txt", std::string("\x7f"
                                                 "ELF\0\x01\xff",
                                                 7));
             write_file(d / "b.txt", small_input);
         },
         "a.txt 1 b.txt 1",
         1,
         {"last1 = 0 \r\n"},
         all_outputs},
        {"transfer function of 100001 rows",
         [](const fs::path& d) {
             write_file(d / "a.txt", small_input);
             write_file(d / "b.txt", rows_up_to(100001));
         },
         "a.txt 1 b.txt 1",
         1,
         {"last2 = 100000\r\n", "\r\n n= 4 \r\n"},
         all_outputs},
        {"name of 300 characters",
         prepare_small,
         long_component + " a.txt 1 b.txt 1",
         1,
         {" Failed to open file: " + long_component + " \r\n", "Press any key"},
         all_outputs},
        {"path of 300 characters",
         [deep](const fs::path& d) {
             prepare_small(d);
             fs::create_directories(d / deep);
             write_file(d / deep / "a.txt", small_input);
         },
         deep + "/a.txt 1 b.txt 1",
         1,
         {" File: " + deep + "/a.txt opened. \r\n"},
         all_outputs},
        {"name with non-ASCII bytes",
         [](const fs::path& d) {
             write_file(d / "r\xc3\xa9ponse\xff.txt", small_input);
             write_file(d / "b.txt", small_input);
         },
         "r\xc3\xa9ponse\xff.txt 1 b.txt 1",
         1,
         {" File: r\xc3\xa9ponse\xff.txt opened. \r\n"},
         all_outputs},
        {"input ends at the first name", prepare_small, "", 2, {ended}, {}},
        {"input ends at the first kind", prepare_small, "a.txt", 2, {" File: a.txt opened. ", ended}, {}},
        {"input ends at the second name", prepare_small, "a.txt 1", 2, {"last1 = 3 \r\n", ended}, {}},
        {"input ends at the second kind", prepare_small, "a.txt 1 b.txt\n", 2, {" File: b.txt opened. ", ended}, {}},
        {"kind answers that are not 1 or 2",
         prepare_small,
         "a.txt abc -1 99999999999999999999 2x b.txt 1",
         1,
         {"delta_f1", "last1 = 3 \r\n", "Press any key"},
         all_outputs},
        {"kind answer 1e5 leaves e5 as the next name",
         prepare_small,
         "a.txt 1e5 b.txt 1",
         1,
         {" Failed to open file: e5 \r\n", " File: b.txt opened. "},
         all_outputs},
        {"half-sided input too long to mirror",
         [](const fs::path& d) {
             write_file(d / "a.txt", rows_up_to(50002));
             write_file(d / "b.txt", small_input);
         },
         "a.txt 1 b.txt 1",
         2,
         {"last1 = 50002 \r\n", "\r\n The full-sided spectrum needs 100002 entries; the table holds 100000. \r\n"},
         {}},
        {"response file is a directory",
         [](const fs::path& d) {
             prepare_small(d);
             fs::create_directory(d / "fourier_response.txt");
         },
         "a.txt 1 b.txt 1",
         2,
         {"\r\n Cannot write fourier_response.txt: Is a directory \r\n"},
         {}},
        {"response file on a full disk, older results present",
         [](const fs::path& d) {
             prepare_small(d);
             fs::create_symlink("/dev/full", d / "fourier_response.txt");
         },
         "a.txt 1 b.txt 1",
         2,
         {"\r\n Cannot write fourier_response.txt: No space left on device \r\n"},
         {}},
        {"time history on a full disk",
         [](const fs::path& d) {
             prepare_small(d);
             fs::create_symlink("/dev/full", d / "inv_fourier.out");
         },
         "a.txt 1 b.txt 1",
         2,
         {"\r\n n= 4 \r\n", "\r\n Cannot write inv_fourier.out: No space left on device \r\n"},
         {"fourier_response.txt", "real_inv.out"}},
        {"real time history on a full disk",
         [](const fs::path& d) {
             prepare_small(d);
             fs::create_symlink("/dev/full", d / "real_inv.out");
         },
         "a.txt 1 b.txt 1",
         2,
         {"\r\n Cannot write real_inv.out: No space left on device \r\n"},
         {"fourier_response.txt", "inv_fourier.out"}},
    };
}

TEST(Faults, EndCleanlyWithAMessage) {
    for (const fault_case& c : fault_cases()) {
        SCOPED_TRACE(c.name);
        testing::scratch_dir dir;
        c.prepare(dir.path());
        const auto inputs_before = regular_files_in(dir.path());

        const testing::run_result run = testing::run_program_in(dir.path(), c.answers);

        EXPECT_EQ(run.exit_status, c.exit_status);
        std::size_t at = 0;
        for (const std::string& text : c.shown) {
            at = run.output.find(text, at);
            EXPECT_NE(at, std::string::npos) << "missing: " << text << "\nin: " << run.output;
            if (at == std::string::npos) break;
        }
        if (c.exit_status != 1) {
            EXPECT_EQ(run.output.find("Press any key"), std::string::npos);
        }
        for (const std::string& name : all_outputs) {
            const bool expected = std::find(c.written.begin(), c.written.end(), name) != c.written.end();
            EXPECT_EQ(fs::is_regular_file(dir / name), expected) << name;
        }
        for (const auto& [name, bytes] : inputs_before) {
            if (std::find(all_outputs.begin(), all_outputs.end(), name) != all_outputs.end()) continue;
            EXPECT_EQ(read_file(dir / name), bytes) << name << " changed";
        }
    }
}

// The response cannot be replaced, and an older one is still there: the run
// must stop rather than compute time histories from the older response.
TEST(Faults, OlderResponseIsNeverReadBack) {
    testing::scratch_dir dir;
    prepare_small(dir.path());
    const std::string older = "  0.000000e+000 \t  9.0000e+000 \t  0.0000e+000 \r\n";
    write_file(dir / "fourier_response.txt", older);
    write_file(dir / "inv_fourier.out", "older\r\n");
    write_file(dir / "real_inv.out", "older\r\n");
    fs::permissions(dir / "fourier_response.txt",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir.path(), fs::perms::all);

    const testing::run_result run =
        testing::run_program_in(dir.path(), "a.txt 1 b.txt 1", testing::run_as::unprivileged);

    EXPECT_EQ(run.exit_status, 2);
    EXPECT_NE(run.output.find("\r\n Cannot write fourier_response.txt: Permission denied \r\n"), std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find(" n= "), std::string::npos);
    EXPECT_EQ(read_file(dir / "fourier_response.txt"), older);
    EXPECT_EQ(read_file(dir / "inv_fourier.out"), "older\r\n");
    EXPECT_EQ(read_file(dir / "real_inv.out"), "older\r\n");
}

}  // namespace
}  // namespace zelvane
