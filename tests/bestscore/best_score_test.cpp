#include "bestscore/best_score.h"
#include "bestscore/best_score_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// the bytes the writer must leave for a score, built with the standard library's own formatting
std::string expectedText(int32_t score) {
    return std::to_string(score) + "\r\n" + std::to_string(scoreChecksum(score));
}

void putFile(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::optional<std::string> fileBytes(const std::string& name = "lista.dat") {
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

std::set<std::string> folderEntries() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(".")) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// exit codes of a child that runs as an ordinary user
constexpr int cannotDropRoot = 77;
constexpr int permissionsNotEnforced = 78;

// runs body in a child process as an ordinary user (nobody when we are root) and returns its
// exit code; the child checks first that the permissions set for the test really bind it
int runUnprivileged(const std::function<bool()>& permissionsBind,
                    const std::function<int()>& body) {
    const passwd* nobody = getpwnam("nobody");
    if (geteuid() == 0 && nobody == nullptr) {
        return cannotDropRoot;
    }
    uid_t uid = nobody ? nobody->pw_uid : 0;
    gid_t gid = nobody ? nobody->pw_gid : 0;
    pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)) {
            _exit(cannotDropRoot);
        }
        if (!permissionsBind()) {
            _exit(permissionsNotEnforced);
        }
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// each test runs in a fresh empty working folder of its own
class BestScoreFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kiuas-bestscore-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        folder = name.data();
        previous = fs::current_path();
        fs::current_path(folder);
    }
    void TearDown() override {
        fs::current_path(previous);
        chmod(folder.c_str(), 0700);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    // lets the unprivileged child create files here (a no-op when we are not root)
    void handFolderToNobody() {
        const passwd* nobody = getpwnam("nobody");
        if (geteuid() == 0 && nobody != nullptr) {
            ASSERT_EQ(chown(".", nobody->pw_uid, nobody->pw_gid), 0);
        }
    }
    fs::path folder;
    fs::path previous;
};

struct ReadCase {
    const char* name;
    std::string content;
    int32_t expected;
};

void PrintTo(const ReadCase& readCase, std::ostream* out) {
    *out << readCase.name;
}

class ReadBestScoreCases : public BestScoreFolder,
                           public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadBestScoreCases, ReadsAsExpected) {
    putFile("lista.dat", GetParam().content);
    EXPECT_EQ(readBestScore(), GetParam().expected);
}

const std::string minText = "-2147483648\r\n" + std::to_string(scoreChecksum(INT32_MIN));

INSTANTIATE_TEST_SUITE_P(
    Contents, ReadBestScoreCases,
    ::testing::Values(
        ReadCase{"Empty", "", 0}, ReadCase{"OnlyFirstLine", "10\r\n", 0},
        ReadCase{"AsWritten", "10\r\n-608849759", 10},
        ReadCase{"ScoreChangedChecksumNot", "11\r\n-608849759", 0},
        ReadCase{"LineFeedOnly", "10\n-608849759", 10},
        ReadCase{"SpaceOnOneLine", "10 -608849759", 10},
        ReadCase{"PlusLeadingZeroAndTrailingText", "+010\r\n-608849759\r\nmuuta 123 tekstiä", 10},
        ReadCase{"EveryWhitespaceByte", " \t\n\v\f\r10 \t\n\v\f\r-608849759", 10},
        ReadCase{"BlankLines", "\r\n\r\n10\r\n\r\n\r\n-608849759\r\n", 10},
        ReadCase{"SecondNumberStartsWhereFirstEnded", "10-608849759", 10},
        ReadCase{"TextGluedAfterChecksum", "10\r\n-608849759abc", 10},
        ReadCase{"PlusOnPositiveChecksum", "1\r\n+1723418481", 1},
        ReadCase{"Negative", "-20\r\n-224540863", -20},
        ReadCase{"ManyLeadingZeros",
                 "000000000000000000000000000010\r\n-000000000000000000000608849759", 10},
        ReadCase{"Largest", "2147483647\r\n-1941784075", INT32_MAX},
        ReadCase{"Smallest", minText, INT32_MIN},
        // values just outside the range must not wrap onto the other end of it
        ReadCase{"ScoreAboveRange", "2147483648\r\n" + std::to_string(scoreChecksum(INT32_MIN)), 0},
        ReadCase{"ScoreBelowRange", "-2147483649\r\n" + std::to_string(scoreChecksum(INT32_MAX)),
                 0},
        ReadCase{"HugeScore", "99999999999999999999\r\n-608849759", 0},
        ReadCase{"ChecksumPlusTwoToThe32", "10\r\n3686117537", 0},
        ReadCase{"ChecksumMinusTwoToThe32", "10\r\n-4903817055", 0},
        ReadCase{"ByteOrderMark",
                 "\xEF\xBB\xBF"
                 "10\r\n-608849759",
                 0},
        ReadCase{"NoBreakSpaceBefore",
                 "\xA0"
                 "10\r\n-608849759",
                 0},
        ReadCase{"NulBefore",
                 std::string("\0"
                             "10\r\n-608849759",
                             15),
                 0},
        ReadCase{"ThousandsSeparator", "1,000\r\n-703776855", 0},
        ReadCase{"DecimalPoint", "10.0\r\n-608849759", 0},
        ReadCase{"SpaceAfterSign", "10\r\n- 608849759", 0},
        ReadCase{"SignWithoutDigits", "+\r\n-608849759", 0},
        ReadCase{"TwoSigns", "10\r\n+-608849759", 0},
        ReadCase{"HexPrefixEndsTheNumber", "0x0A\r\n-608849759", 0}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST_F(BestScoreFolder, NoFileOrAFolderInItsPlaceReadsAsZero) {
    EXPECT_EQ(readBestScore(), 0);
    fs::create_directory("lista.dat");
    EXPECT_EQ(readBestScore(), 0);
    writeBestScore(30);
    EXPECT_TRUE(fs::is_directory("lista.dat"));
    EXPECT_EQ(folderEntries(), std::set<std::string>{"lista.dat"});
}

// long runs of padding, and numbers that straddle the reader's buffer boundaries
TEST_F(BestScoreFolder, LongPaddingIsReadThrough) {
    putFile("lista.dat",
            std::string(100000, '0') + "10\r\n-" + std::string(100000, '0') + "608849759");
    EXPECT_EQ(readBestScore(), 10);
    putFile("lista.dat",
            std::string(100000, '\n') + "10" + std::string(100000, ' ') + "-608849759");
    EXPECT_EQ(readBestScore(), 10);
    for (size_t padding = 490; padding < 530; ++padding) {
        putFile("lista.dat", std::string(padding, ' ') + "2147483647\r\n-1941784075");
        EXPECT_EQ(readBestScore(), INT32_MAX) << "padding " << padding;
        putFile("lista.dat", std::string(padding, ' ') + "2147483648\r\n" +
                                 std::to_string(scoreChecksum(INT32_MIN)));
        EXPECT_EQ(readBestScore(), 0) << "padding " << padding;
    }
}

TEST(ScoreChecksum, MatchesWorkedValues) {
    const struct {
        int32_t score;
        int32_t checksum;
        size_t fileLength;
    } table[] = {{0, 1196299369, 13},    {1, 1723418481, 13},          {10, -608849759, 14},
                 {30, 938567025, 13},    {-20, -224540863, 15},        {100, 531062705, 14},
                 {1000, -703776855, 16}, {2147483647, -1941784075, 23}};
    for (const auto& row : table) {
        EXPECT_EQ(scoreChecksum(row.score), row.checksum) << row.score;
        char text[maxBestScoreTextLength];
        EXPECT_EQ(formatBestScoreText(row.score, text), row.fileLength) << row.score;
    }
}

TEST_F(BestScoreFolder, WritesExactBytes) {
    writeBestScore(10);
    EXPECT_EQ(fileBytes(), std::string("\x31\x30\x0D\x0A\x2D\x36\x30\x38\x38\x34\x39\x37\x35\x39"));
    EXPECT_EQ(readBestScore(), 10);
    writeBestScore(0);
    EXPECT_EQ(fileBytes(), std::string("0\r\n1196299369"));
    writeBestScore(-20);
    EXPECT_EQ(fileBytes(), std::string("-20\r\n-224540863"));
    EXPECT_EQ(readBestScore(), -20);
    writeBestScore(INT32_MIN);
    EXPECT_EQ(fileBytes(), expectedText(INT32_MIN));
    writeBestScore(1);
    EXPECT_EQ(fileBytes(), std::string("1\r\n1723418481")) << "a shorter score leaves no old byte";
    EXPECT_EQ(folderEntries(), std::set<std::string>{"lista.dat"});
}

TEST_F(BestScoreFolder, RoundTripsAcrossTheRange) {
    std::vector<int32_t> scores = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX};
    for (int64_t power = 10; power <= INT32_MAX; power *= 10) {
        for (int64_t value : {power - 1, power, power + 1, -power + 1, -power, -power - 1}) {
            scores.push_back(int32_t(value));
        }
    }
    std::mt19937 random(2024);
    std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
    // each write waits for the disk, so the random sample stays modest
    for (int i = 0; i < 40; ++i) {
        scores.push_back(any(random));
    }
    for (int32_t score : scores) {
        writeBestScore(score);
        ASSERT_EQ(fileBytes(), expectedText(score));
        ASSERT_EQ(readBestScore(), score);
    }
    EXPECT_EQ(folderEntries(), std::set<std::string>{"lista.dat"});
}

TEST_F(BestScoreFolder, KeepsTheFilesPermissions) {
    writeBestScore(10);
    ASSERT_EQ(chmod("lista.dat", 0640), 0);
    writeBestScore(30);
    struct stat info;
    ASSERT_EQ(stat("lista.dat", &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// a killed writer's temporary file is replaced, never written through or left to pile up
TEST_F(BestScoreFolder, ReusesALeftoverTemporaryFile) {
    putFile("lista.dat.tmp", "10\r\n-6088");
    ASSERT_EQ(chmod("lista.dat.tmp", 0444), 0);
    writeBestScore(30);
    EXPECT_EQ(fileBytes(), expectedText(30));
    EXPECT_EQ(folderEntries(), std::set<std::string>{"lista.dat"});

    putFile("toinen", "ei saa muuttua");
    fs::create_symlink("toinen", "lista.dat.tmp");
    writeBestScore(100);
    EXPECT_EQ(fileBytes(), expectedText(100));
    EXPECT_FALSE(fs::is_symlink("lista.dat"));
    EXPECT_EQ(fileBytes("toinen"), std::string("ei saa muuttua"));
    EXPECT_EQ(folderEntries(), (std::set<std::string>{"lista.dat", "toinen"}));
}

TEST_F(BestScoreFolder, WriteProtectedFileIsLeftAlone) {
    writeBestScore(10);
    ASSERT_EQ(chmod("lista.dat", 0444), 0);
    handFolderToNobody();
    int result = runUnprivileged(
        [] {
            // the file must be closed to us while the folder stays open, or the case is moot
            if (access("lista.dat", W_OK) == 0) {
                return false;
            }
            int probe = open("koe", O_WRONLY | O_CREAT | O_EXCL, 0666);
            return probe >= 0 && close(probe) == 0 && unlink("koe") == 0;
        },
        [] {
            writeBestScore(500);
            return readBestScore() == 10 ? 0 : 1;
        });
    if (result == cannotDropRoot || result == permissionsNotEnforced) {
        GTEST_SKIP() << "cannot run as a user whom file permissions bind";
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(fileBytes(), expectedText(10));
    EXPECT_EQ(folderEntries(), std::set<std::string>{"lista.dat"});
}

TEST_F(BestScoreFolder, UnwritableFolderChangesNothing) {
    writeBestScore(10);
    ASSERT_EQ(chmod("lista.dat", 0666), 0);
    fs::create_directory("tyhjä");
    ASSERT_EQ(chmod(".", 0555), 0);
    ASSERT_EQ(chmod("tyhjä", 0555), 0);
    int result = runUnprivileged(
        [] {
            int probe = open("koe", O_WRONLY | O_CREAT | O_EXCL, 0666);
            if (probe >= 0) {
                close(probe);
                unlink("koe");
                return false;
            }
            return true;
        },
        [] {
            // the file itself is writable, but it is only ever replaced whole, which needs the
            // folder: it keeps its old content
            writeBestScore(500);
            if (readBestScore() != 10 || chdir("tyhjä") != 0) {
                return 1;
            }
            writeBestScore(500);
            return readBestScore() == 0 ? 0 : 2;
        });
    if (result == cannotDropRoot || result == permissionsNotEnforced) {
        GTEST_SKIP() << "cannot run as a user whom folder permissions bind";
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(fileBytes(), expectedText(10));
    EXPECT_TRUE(fs::is_empty("tyhjä"));
    EXPECT_EQ(folderEntries(), (std::set<std::string>{"lista.dat", "tyhjä"}));
}

// a writer killed at any moment leaves either the old file or the new one, never a broken one
TEST_F(BestScoreFolder, SurvivesAWriterKilledAtAnyMoment) {
    const std::vector<int32_t> written = {1, -1, INT32_MAX, INT32_MIN, 12345, -20, 30, 1000};
    std::set<std::string> allowed = {expectedText(10)};
    for (int32_t score : written) {
        allowed.insert(expectedText(score));
    }
    writeBestScore(10);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> delayMicroseconds(0, 3000);
    std::set<std::string> seen;
    int killsMidWrite = 0;
    for (int kill = 0; kill < 200; ++kill) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            for (size_t i = size_t(kill);; ++i) {
                writeBestScore(written[i % written.size()]);
            }
        }
        usleep(useconds_t(delayMicroseconds(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        std::optional<std::string> bytes = fileBytes();
        ASSERT_TRUE(bytes.has_value()) << "after kill " << kill;
        ASSERT_EQ(allowed.count(*bytes), 1u) << "after kill " << kill << ": " << *bytes;
        ASSERT_NE(readBestScore(), 0) << "after kill " << kill;
        std::set<std::string> entries = folderEntries();
        killsMidWrite += int(entries.erase("lista.dat.tmp"));
        ASSERT_EQ(entries, std::set<std::string>{"lista.dat"}) << "after kill " << kill;
        seen.insert(*bytes);
    }
    EXPECT_GT(seen.size(), 1u) << "the killed writers never got a write done";
    RecordProperty("killsThatLeftTheTemporaryFile", killsMidWrite);
}

} // namespace
