// Protected documents as readers see them: opened with the passwords we set, their text
// and strings recovered, their permissions reported as we granted them.
#include "pdf/codec/security_handler.h"
#include "pdf/core/text_string.h"
#include "pdf/pdf_tools.h"

#include <gtest/gtest.h>

#include <string>

namespace pdf {
namespace {

using testing_support::PinnedWriter;
using testing_support::QpdfCheck;
using testing_support::ReadAll;
using testing_support::RunTool;

struct Protection {
    std::string name;
    int mode;
    std::string owner;
    std::string user;
    std::string revision;   // "R = ..." of qpdf --show-encryption
    std::string perm;       // "P = ..."
    std::vector<std::string> reported;  // permission lines qpdf shows
};

// A page of text, a URI action object (its own key), a page-label prefix (the catalog's)
// and the document information (the information dictionary's).
std::string WriteProtected(const Protection& p)
{
    auto writer = PinnedWriter();
    writer->SetProtection(p.mode, p.owner, p.user);
    std::string path = testing_support::OutputPath("protected_" + p.name + ".pdf");
    writer->BeginDoc(path);
    writer->AddBookmark("Link", 1, 5, 0, 0, 0, 0, "https://example.org/agenda", "", 0);
    writer->SetDocProperty("Protected agenda", "Weekly (team) planning", "", "", "", "");
    writer->SetLabel(1, "Week-", 1);
    int page = 0;
    writer->BeginPage(page);
    writer->SetFont("Arial", 12, 0, 0);
    writer->DrawText(20, 40, "Hello protected world", 1);
    writer->EndDoc();
    return path;
}

std::string Password(const Protection& p)
{
    return p.user.empty() ? "" : " --password='" + p.user + "'";
}

// The first element of the trailer's /ID, decoded from hexadecimal.
std::string FirstDocId(const std::string& bytes)
{
    const std::size_t start = bytes.find("/ID [<") + 6;
    const std::string hex = bytes.substr(start, bytes.find('>', start) - start);
    std::string id;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        id += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return id;
}

class ProtectedDocument : public ::testing::TestWithParam<Protection> {};

TEST_P(ProtectedDocument, ReadersOpenItAndRecoverEverything)
{
    const Protection& p = GetParam();
    const std::string path = WriteProtected(p);

    const auto check = RunTool("qpdf --check" + Password(p) + " '" + path + "'");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(check.output.find("WARNING"), std::string::npos) << check.output;

    const bool blankOwner = p.owner.find_first_not_of(' ') == std::string::npos;
    const auto owner = RunTool("qpdf --show-encryption --password='" +
                               (blankOwner ? p.user : p.owner) + "' '" + path + "'");
    EXPECT_NE(owner.output.find(p.revision + "\n"), std::string::npos) << owner.output;
    EXPECT_NE(owner.output.find(p.perm + "\n"), std::string::npos) << owner.output;
    // Readers that take the password's bytes as typed need them in PDFDocEncoding.
    const std::string userBytes = PdfDocEncoded(p.user).value();
    EXPECT_NE(owner.output.find("User password = " + userBytes.substr(0, 32) + "\n"),
              std::string::npos)
        << owner.output;
    for (const std::string& line : p.reported)
        EXPECT_NE(owner.output.find(line + "\n"), std::string::npos) << line << owner.output;

    const auto text = RunTool("pdftotext -upw '" + userBytes + "' '" + path + "' -");
    EXPECT_NE(text.output.find("Hello protected world"), std::string::npos) << text.output;

    const auto draw = RunTool("mutool draw -q -N -o /dev/null -p '" + p.user + "' '" + path + "'");
    EXPECT_EQ(draw.status, 0) << draw.output;
    EXPECT_EQ(draw.output, "");

    const std::string plain = testing_support::ScratchPath("decrypted_" + p.name + ".pdf");
    const auto decrypt = RunTool("qpdf --decrypt --qdf --object-streams=disable" + Password(p) +
                                 " '" + path + "' '" + plain + "'");
    EXPECT_EQ(decrypt.status, 0) << decrypt.output;
    const std::string decrypted = ReadAll(plain);
    EXPECT_NE(decrypted.find("/Title (Protected agenda)"), std::string::npos);
    EXPECT_NE(decrypted.find("/Subject (Weekly \\(team\\) planning)"), std::string::npos);
    EXPECT_NE(decrypted.find("/P (Week-)"), std::string::npos);
    EXPECT_EQ(RunTool("pdftotext '" + plain + "' -").output.find("Hello protected world") ==
                  std::string::npos,
              false);

    const auto action = RunTool("qpdf --show-object=4" + Password(p) + " '" + path + "'");
    EXPECT_NE(action.output.find("/URI (https://example.org/agenda)"), std::string::npos)
        << action.output;

    // Nothing readable is left in the file itself.
    const std::string bytes = ReadAll(path);
    EXPECT_EQ(bytes.find("Protected agenda"), std::string::npos);
    EXPECT_EQ(bytes.find("example.org"), std::string::npos);
    if (!p.user.empty()) {
        EXPECT_NE(RunTool("qpdf --check --password=wrong '" + path + "'").status, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Revisions, ProtectedDocument,
    ::testing::Values(
        Protection{"r2_nothing_granted", 0, "", "", "R = 2", "P = -64",
                   {"print low resolution: not allowed", "modify anything: not allowed"}},
        Protection{"r2_print_copy", permission::kPrint | permission::kCopy, "chef", "équipe",
                   "R = 2", "P = -44",
                   {"print low resolution: allowed", "extract for any purpose: allowed",
                    "modify anything: not allowed"}},
        Protection{"r3_print_hq", permission::kRevision3 | permission::kPrint |
                                      permission::kPrintHighQuality,
                   "owner secret", "user", "R = 3", "P = -1852",
                   {"print high resolution: allowed", "extract for any purpose: not allowed",
                    "modify document assembly: not allowed"}},
        Protection{"r3_everything", permission::kRevision3 | 0xF3C, "   ", "a very long user "
                   "password of more than thirty-two characters", "R = 3", "P = -4",
                   {"modify document assembly: allowed", "extract for accessibility: allowed",
                    "modify forms: allowed"}}),
    [](const auto& info) { return info.param.name; });

TEST(Protection, DictionaryAndHeaderOfEachRevision)
{
    for (int mode : {0, permission::kRevision3}) {
        auto writer = PinnedWriter();
        writer->SetProtection(mode, "", "");
        std::string path = testing_support::CaseOutputPath(std::to_string(mode));
        writer->BeginDoc(path);
        const std::string bytes = testing_support::FinishChecked(*writer, path);
        const std::string docId = FirstDocId(bytes);
        EXPECT_EQ(docId.substr(0, 23), "D:20240517093005+01'00'");
        const ProtectionState state = ComputeProtection(mode, "", "", docId);
        if (mode == 0) {
            EXPECT_EQ(bytes.substr(0, 8), "%PDF-1.3");
            EXPECT_NE(bytes.find("\r/P -64\r/V 1 /R 2 >>"), std::string::npos);
            EXPECT_EQ(ObjectKey(state, 7).size(), 10u);
        } else {
            EXPECT_EQ(bytes.substr(0, 8), "%PDF-1.4");
            EXPECT_NE(bytes.find("\r/P -3904\r/V 2 /R 3 /Length 128 >>"), std::string::npos);
            EXPECT_EQ(state.U.substr(16), std::string(16, ' '));
            EXPECT_EQ(ObjectKey(state, 7).size(), 16u);
        }
        EXPECT_NE(bytes.find(EncryptionDictionary(state)), std::string::npos);
        EXPECT_NE(bytes.find(" /Encrypt "), std::string::npos);
        EXPECT_EQ(ObjectKey(state, 1), ObjectKey(state, (1 << 24) + 1));
        EXPECT_NE(ObjectKey(state, 1), ObjectKey(state, 2));
    }
    // Passwords count to their 32nd character; /U depends on the file identifier.
    EXPECT_EQ(ComputeProtection(0, "", std::string(32, 'x') + "tail", "id").U,
              ComputeProtection(0, "", std::string(32, 'x'), "id").U);
    EXPECT_NE(ComputeProtection(4096, "o", "u", "id1").U, ComputeProtection(4096, "o", "u", "id2").U);
}

TEST(Protection, TooLateOrResetLeavesTheDocumentUnprotected)
{
    auto writer = PinnedWriter();
    std::string path = testing_support::CaseOutputPath("late");
    writer->BeginDoc(path);
    writer->AddBookmark("Link", 1, 5, 0, 0, 0, 0, "https://example.org", "", 0);
    writer->SetProtection(0, "", "");
    EXPECT_EQ(writer->ErrNumber(), 5);
    EXPECT_EQ(writer->ErrSource(), "Pagelith.SetProtection");
    EXPECT_EQ(testing_support::FinishChecked(*writer, path).find("/Encrypt"), std::string::npos);

    writer->SetProtection(0, "", "user");
    writer->Abort();
    path = testing_support::CaseOutputPath("reset");
    writer->BeginDoc(path);
    EXPECT_EQ(testing_support::FinishChecked(*writer, path).find("/Encrypt"), std::string::npos);
}

TEST(Protection, DocumentsOfOneSecondDifferInIdentifierAndKey)
{
    auto writer = PinnedWriter();
    writer->SetProtection(0, "chef", "user");
    std::string bytes[2];
    for (std::string& b : bytes) {
        std::string path = testing_support::CaseOutputPath(std::to_string(&b - bytes));
        writer->BeginDoc(path);
        int page = 0;
        writer->BeginPage(page);
        writer->SetFont("Arial", 12, 0, 0);
        writer->DrawText(20, 40, "Same second", 1);
        writer->EndDoc();
        testing_support::ExpectSoundFile(path, "user");
        EXPECT_NE(RunTool("pdftotext -upw user '" + path + "' -").output.find("Same second"),
                  std::string::npos);
        b = ReadAll(path);
    }
    EXPECT_NE(FirstDocId(bytes[0]), FirstDocId(bytes[1]));
    // Each file's key follows its own identifier.
    std::string u[2];
    for (int i = 0; i < 2; ++i) {
        const ProtectionState state = ComputeProtection(0, "chef", "user", FirstDocId(bytes[i]));
        EXPECT_NE(bytes[i].find(EncryptionDictionary(state)), std::string::npos);
        u[i] = state.U;
    }
    EXPECT_NE(u[0], u[1]);
}

TEST(Protection, PasswordOutsidePdfDocEncodingIsRefused)
{
    auto writer = PinnedWriter();
    writer->SetProtection(0, "", "\u65E5\u672C");
    EXPECT_EQ(writer->ErrNumber(), 5);
    EXPECT_EQ(writer->ErrSource(), "Pagelith.SetProtection");
    std::string path = testing_support::CaseOutputPath("");
    writer->BeginDoc(path);
    EXPECT_EQ(testing_support::FinishChecked(*writer, path).find("/Encrypt"), std::string::npos);
}

}  // namespace
}  // namespace pdf
