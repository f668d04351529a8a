#include "config/json_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/debug.h"
#include "tests/config/temp_folder.h"

class JsonFileTest : public ::testing::Test {
protected:
    CTempFolder m_folder;
};

TEST_F(JsonFileTest, UnusableSourcesReadEmptyWithoutHanging) {
    m_folder.Write("empty.json", "");
    std::filesystem::create_directory(m_folder.Utf8Path("folder.json"));
    ASSERT_EQ(mkfifo(m_folder.Utf8Path("fifo.json").c_str(), 0600),
              0);  // no writer: a blocking open would hang
    for (const char* name : {"missing.json", "empty.json", "folder.json", "fifo.json"}) {
        EXPECT_EQ(readjsonFile(m_folder.Path(name)), "") << name;
        EXPECT_TRUE(LoadJsonFile(m_folder.Path(name)).isNull()) << name;
    }
}

TEST_F(JsonFileTest, EveryReadWritesTheErrorTrace) {
    m_folder.Write("a.json", "{}");
    CDebugCapture capture;
    readjsonFile(m_folder.Path("a.json"));
    readjsonFile(m_folder.Path("missing.json"));
    EXPECT_EQ(capture.Count(L"readjsonFile 错误吗：：0"), 1u);
    EXPECT_EQ(capture.Count(L"readjsonFile 错误吗：：2"), 1u);  // ENOENT
}

TEST_F(JsonFileTest, ReaderAcceptsCommentsAndCrLf) {
    m_folder.Write("c.json", "// profile\r\n{ /* note */ \"a\" : 1,\r\n  \"b\" : [ 2 ] // end\r\n}\r\n");
    const Json::Value value = LoadJsonFile(m_folder.Path("c.json"));
    EXPECT_EQ(value["a"].asInt(), 1);
    EXPECT_EQ(value["b"][0].asInt(), 2);
}

TEST_F(JsonFileTest, MalformedTextReadsNull) {
    for (const std::string& text :
         {std::string("{\"a\": }"), std::string("\xff\xfe"), std::string(100000, '[')}) {
        EXPECT_TRUE(ParseJsonText(text).isNull()) << text.substr(0, 10);
    }
}

TEST_F(JsonFileTest, WritesStyledLayoutWithCrLf) {
    Json::Value value;
    value["b"][0] = 1;
    value["b"][1] = 2;
    value["a"]["x"] = 1;
    value["a"]["list"][0]["y"] = 0;
    ASSERT_EQ(WriteJsonFile(m_folder.Path("out.json"), value), 1);
    EXPECT_EQ(m_folder.Read("out.json"),
              "{\r\n"
              "   \"a\" : {\r\n"
              "      \"list\" : [\r\n"
              "         {\r\n"
              "            \"y\" : 0\r\n"
              "         }\r\n"
              "      ],\r\n"
              "      \"x\" : 1\r\n"
              "   },\r\n"
              "   \"b\" : [ 1, 2 ]\r\n"
              "}\r\n");
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"out.json"});  // no temporary file left
}

TEST_F(JsonFileTest, FailedWriteIsReportedAndLeavesNoTrace) {
    std::filesystem::create_directory(m_folder.Utf8Path("target.json"));
    m_folder.Write("target.json/keep", "x");
    CDebugCapture capture;
    EXPECT_EQ(WriteJsonFile(m_folder.Path("target.json"), Json::Value(1)), 0);  // a folder is in the way
    EXPECT_EQ(WriteJsonFile(m_folder.Path("no/such/folder.json"), Json::Value(1)), 0);
    EXPECT_EQ(capture.Count(L"target.json"), 1u);
    EXPECT_EQ(capture.Count(L"no/such/folder.json"), 1u);
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"target.json"});
    EXPECT_EQ(m_folder.Read("target.json/keep"), "x");
}

TEST_F(JsonFileTest, RewriteKeepsTheFilesPermissions) {
    m_folder.Write("p.json", "{}");
    chmod(m_folder.Utf8Path("p.json").c_str(), 0640);
    ASSERT_EQ(WriteJsonFile(m_folder.Path("p.json"), Json::Value(2)), 1);
    struct stat info = {};
    ASSERT_EQ(stat(m_folder.Utf8Path("p.json").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(m_folder.Read("p.json"), "2\r\n");
}
