// The Comunications page: mail and messenger actions, the two questions
// before what cannot be restored, and the messenger folder.
#include "cleaner/shell/PageCommunications.h"

#include "tests/support/PageTest.h"

namespace {

const char kOutlookExpressQuestion[] =
    "Veltrin PRO\nAttention!!\nThis option will clear you Outlook Express emails, and you will "
    "not be able to restore it (unless you have the copies on server)!\nAre you sure you want "
    "to enable it?";
const char kMessengerQuestion[] =
    "Veltrin PRO\nAttention!!\nThis option will clear your AIM history, and you will not able "
    "to restore it (unless you have the copies on server)!\nAre you sure you want to enable it?";

class PageCommunications : public CPageTest {};

TEST_F(PageCommunications, OpensFromTheSettingsAndAppliesBack)
{
    m_settings->strNetScapeHiddenFilesMask = "*.snm|*.tmp";
    m_settings->strAOLMessangerPath = "C:\\AIM\\jo";
    Build().GetAction("MailNNHidden").bEnabled = true;
    std::unique_ptr<CPageCommunications> page = Open<CPageCommunications>();
    EXPECT_EQ(ItemText(*page, IDC_MAIL_HIDDEN_MASK), "*.snm|*.tmp");
    EXPECT_EQ(ItemText(*page, IDC_MAIL_AIM_FOLDER), "C:\\AIM\\jo");
    EXPECT_FALSE(IsBoxChecked(*page, IDC_MAIL_OUTLOOK_EXPRESS));
    EXPECT_FALSE(IsBoxChecked(*page, IDC_MAIL_NETSCAPE_TRASH_SENT));
    EXPECT_TRUE(IsBoxChecked(*page, IDC_MAIL_NETSCAPE_HIDDEN));
    EXPECT_FALSE(IsBoxChecked(*page, IDC_MAIL_AIM_HISTORY));
    for (int nId : {IDC_MAIL_AIM_FOLDER, IDC_MAIL_AIM_FOLDER_LABEL, IDC_MAIL_AIM_FOLDER_BROWSE})
        EXPECT_FALSE(IsItemEnabled(*page, nId)) << nId;

    SetItemText(*page, IDC_MAIL_HIDDEN_MASK, "*.msf");
    SetItemText(*page, IDC_MAIL_AIM_FOLDER, "D:\\AIM");
    SetBox(*page, IDC_MAIL_NETSCAPE_TRASH_SENT, true);
    SetBox(*page, IDC_MAIL_NETSCAPE_HIDDEN, false);
    EXPECT_TRUE(page->Apply());
    EXPECT_EQ(m_settings->strNetScapeHiddenFilesMask.Get(), "*.msf");
    EXPECT_EQ(m_settings->strAOLMessangerPath.Get(), "D:\\AIM");
    EXPECT_TRUE(m_manager->GetAction("MailNNTrashSent").bEnabled);
    EXPECT_FALSE(m_manager->GetAction("MailNNHidden").bEnabled);
    EXPECT_FALSE(m_manager->GetAction("MailOE").bEnabled);
    EXPECT_FALSE(m_manager->GetAction("AOLHistory").bEnabled);
}

TEST_F(PageCommunications, NoToTheQuestionUnchecksTheBox)
{
    std::unique_ptr<CPageCommunications> page = Open<CPageCommunications>();
    CModalAnswers answers;
    struct {
        int nBox;
        int nAnswer;
        const char* pszQuestion;
    } const cases[] = {
        {IDC_MAIL_OUTLOOK_EXPRESS, IDNO, kOutlookExpressQuestion},
        {IDC_MAIL_OUTLOOK_EXPRESS, IDYES, kOutlookExpressQuestion},
        {IDC_MAIL_AIM_HISTORY, IDNO, kMessengerQuestion},
        {IDC_MAIL_AIM_HISTORY, IDYES, kMessengerQuestion},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "box " << c.nBox << ", answer " << c.nAnswer);
        answers.Press(c.nAnswer);
        SetBox(*page, c.nBox, true);
        EXPECT_EQ(answers.Pending(), 0u);
        ASSERT_FALSE(answers.Seen().empty());
        EXPECT_EQ(answers.Seen().back(), c.pszQuestion);
        EXPECT_EQ(IsBoxChecked(*page, c.nBox), c.nAnswer == IDYES);
        if (c.nBox == IDC_MAIL_AIM_HISTORY) {
            EXPECT_EQ(IsItemEnabled(*page, IDC_MAIL_AIM_FOLDER), c.nAnswer == IDYES);
        }
    }
    EXPECT_EQ(answers.Seen().size(), 4u);

    // Unchecking asks nothing; were it to ask, the answer would go.
    answers.Press(IDYES);
    SetBox(*page, IDC_MAIL_AIM_HISTORY, false);
    SetBox(*page, IDC_MAIL_OUTLOOK_EXPRESS, false);
    EXPECT_EQ(answers.Pending(), 1u);
    EXPECT_FALSE(IsItemEnabled(*page, IDC_MAIL_AIM_FOLDER));
    EXPECT_FALSE(IsItemEnabled(*page, IDC_MAIL_AIM_FOLDER_LABEL));
}

}  // namespace
