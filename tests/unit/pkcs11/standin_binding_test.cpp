// Pkcs11Module and Pkcs11Session against the stand-in module, where faults
// and odd answers can be made to order.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "pkcs11_exception.h"
#include "pkcs11_module.h"
#include "pkcs11_session.h"
#include "standin_token.h"

namespace {

template <typename Call>
int32_t codeOf(Call call) {
  try {
    call();
  } catch (const Pkcs11Exception& e) {
    return e.code();
  }
  return 0;
}

int32_t codeOfNewModule() {
  return codeOf([] { Pkcs11Module module(StandinTokenTest::moduleFile()); });
}

std::string token(const std::string& label, const std::string& serial) {
  return "slot description=\"Reader " + label + "\"\ntoken label=\"" + label + "\" serial=\"" + serial + "\"\n";
}

}  // namespace

using StandinBinding = StandinTokenTest;

TEST_F(StandinBinding, StartInitialisesWithOsLockingAndDestructionUnloads) {
  { Pkcs11Module module(moduleFile()); }
  EXPECT_EQ(counter("initialize"), 1u);
  EXPECT_EQ(counter("initialize_flags"), static_cast<unsigned long>(CKF_OS_LOCKING_OK));
  EXPECT_EQ(counter("finalize"), 1u);
  expectNothingLeftOpen();
}

TEST_F(StandinBinding, FailedStartsGiveCode3AndUnload) {
  for (const char* fault : {"C_GetFunctionList 1 0x5", "C_GetFunctionList 1 ok_null", "C_Initialize 1 0x6",
                            "C_Initialize 1 0x191"}) {
    SCOPED_TRACE(fault);
    configure(std::string("fault ") + fault + "\n");
    EXPECT_EQ(codeOfNewModule(), PKCS11_ERR_MODULE);
    EXPECT_EQ(counter("call.C_Finalize"), 0u);  // nothing of ours to finalise
    EXPECT_EQ(counter("loads"), 1u);
    EXPECT_EQ(counter("unloads"), 1u);
  }
}

TEST_F(StandinBinding, VendorResultCodesReadAsNegative) {
  configure(token("A", "1") + "fault C_OpenSession 1 0x80000001\n");
  Pkcs11Module module(moduleFile());
  EXPECT_EQ(codeOf([&] { delete module.OpenSession(module.FindSlot(nullptr)); }), INT32_MIN + 1);
}

TEST_F(StandinBinding, SlotListCountsOnlyTokenSlots) {
  configure(token("A", "1") + "slot description=\"Empty\"\n" + token("B", "2"));
  Pkcs11Module module(moduleFile());
  CK_ULONG count = 0;
  module.GetSlotList(nullptr, &count);
  EXPECT_EQ(count, 2u);
  CK_SLOT_ID slots[2];
  count = 1;
  EXPECT_EQ(codeOf([&] { module.GetSlotList(slots, &count); }), PKCS11_ERR_MODULE);
  EXPECT_EQ(count, 1u);
}

TEST_F(StandinBinding, IndexSelectorCountsTokenSlots) {
  configure(token("A", "1") + "slot description=\"Empty\"\n" + token("B", "2") + token("C", "3"));
  Pkcs11Module module(moduleFile());
  EXPECT_EQ(module.FindSlot("#2"), 4u);  // the third token slot
  // A second start while the first module lives is refused, as by SoftHSM2.
  EXPECT_EQ(codeOfNewModule(), PKCS11_ERR_MODULE);
}

TEST_F(StandinBinding, IndexSelectorBeyondTheTokenSlotsFails) {
  configure(token("A", "1") + "slot description=\"Empty\"\n" + token("B", "2"));
  Pkcs11Module module(moduleFile());
  EXPECT_EQ(codeOf([&] { module.FindSlot("#2"); }), PKCS11_ERR_MODULE);
  EXPECT_EQ(codeOf([&] { module.FindSlot("#"); }), PKCS11_ERR_MODULE);
  EXPECT_EQ(module.FindSlot("#1"), 3u);
}

TEST_F(StandinBinding, TokenSelectorMatchesLabelPrefixOrPaddedSerial) {
  configure(token("XY", "AB") + token("ABC", "9") + token("Z", "ABCDEFGHIJKLMNOP"));
  Pkcs11Module module(moduleFile());
  EXPECT_EQ(module.FindSlot("@AB"), 1u);    // serial "AB" and 14 spaces
  EXPECT_EQ(module.FindSlot("@ABC"), 2u);   // label prefix
  EXPECT_EQ(module.FindSlot("@ABCDEFGHIJKLMNOP"), 3u);
  EXPECT_EQ(module.FindSlot("@"), 1u);
  EXPECT_EQ(codeOf([&] { module.FindSlot("@Q"); }), PKCS11_ERR_MODULE);
}

TEST_F(StandinBinding, TokenSelectorCutsTextTo32Characters) {
  const std::string label(32, 'L');
  configure(token(label, "1"));
  Pkcs11Module module(moduleFile());
  EXPECT_EQ(module.FindSlot(("@" + label + "and more text").c_str()), 1u);
}

TEST_F(StandinBinding, UnreadableTokensAndSlotsArePassedOver) {
  configure(token("A", "1") + token("B", "2") + "fault C_GetTokenInfo 1 0x30\nfault C_GetSlotInfo 1 0x30\n");
  Pkcs11Module module(moduleFile());
  EXPECT_EQ(module.FindSlot("@"), 2u);
  EXPECT_EQ(module.FindSlot("Reader"), 2u);
  EXPECT_EQ(module.FindSlot("Reader A"), 1u);  // its second reading works
}

TEST_F(StandinBinding, SelectorsFailWithoutTokens) {
  configure("slot description=\"Empty\"\n");
  Pkcs11Module module(moduleFile());
  for (const char* selector : {static_cast<const char*>(nullptr), "", "#0", "@", "?", "Empty"}) {
    EXPECT_EQ(codeOf([&] { module.FindSlot(selector); }), PKCS11_ERR_MODULE);
  }
}

TEST_F(StandinBinding, SessionsAreClosedByTheirDestructor) {
  configure(token("A", "1"));
  {
    Pkcs11Module module(moduleFile());
    std::unique_ptr<Pkcs11Session> session(module.OpenSession(1));
    std::unique_ptr<Pkcs11Session> sibling(session->OpenSiblingSession());
  }
  EXPECT_EQ(counter("sessions_opened"), 2u);
  EXPECT_EQ(counter("sessions_closed"), 2u);
  expectNothingLeftOpen();
}

TEST_F(StandinBinding, SiblingOfASessionWithoutInformationFails) {
  configure(token("A", "1") + "fault C_GetSessionInfo 1 0x30\n");
  Pkcs11Module module(moduleFile());
  std::unique_ptr<Pkcs11Session> session(module.OpenSession(1));
  EXPECT_EQ(codeOf([&] { delete session->OpenSiblingSession(); }), pkcs11Code(CKR_SLOT_ID_INVALID));
}

TEST_F(StandinBinding, DataObjectWithUnusableLengthIsRefused) {
  configure(token("A", "1") + "object class=data label=\"d\" value=0102\n" +
            "fault C_GetAttributeValue 1 ok_length=0xFFFFFFFF\n");
  Pkcs11Module module(moduleFile());
  std::unique_ptr<Pkcs11Session> session(module.OpenSession(1));
  EXPECT_EQ(codeOf([&] { session->ReadDataObject("d", nullptr); }), pkcs11Code(CKR_GENERAL_ERROR));
  const ByteBuffer value = session->ReadDataObject("d", nullptr);
  EXPECT_EQ(value.size(), 2);
}

TEST_F(StandinBinding, RelatedObjectWithOverlongIdFails) {
  const std::string longId(2 * 65, 'a');
  configure(token("A", "1") + "object class=public_key id=" + longId + "\n" +
            "object class=certificate id=" + longId + "\n");
  Pkcs11Module module(moduleFile());
  std::unique_ptr<Pkcs11Session> session(module.OpenSession(1));
  EXPECT_EQ(codeOf([&] { session->FindRelatedObject(1, CKO_CERTIFICATE); }), pkcs11Code(CKR_BUFFER_TOO_SMALL));
}

TEST_F(StandinBinding, RelatedObjectWithA64ByteIdIsFound) {
  const std::string id(2 * 64, 'b');
  configure(token("A", "1") + "object class=public_key id=" + id + "\nobject class=certificate id=" + id + "\n");
  Pkcs11Module module(moduleFile());
  std::unique_ptr<Pkcs11Session> session(module.OpenSession(1));
  EXPECT_EQ(session->FindRelatedObject(1, CKO_CERTIFICATE), 2u);
}

TEST_F(StandinBinding, FailedSearchIsEndedSoTheNextOneWorks) {
  configure(token("A", "1") + "object class=data label=\"d\" value=01\nfault C_FindObjects 1 0x30\n");
  Pkcs11Module module(moduleFile());
  std::unique_ptr<Pkcs11Session> session(module.OpenSession(1));
  EXPECT_EQ(codeOf([&] { session->ReadDataObject("d", nullptr); }), PKCS11_ERR_NOT_FOUND);
  EXPECT_EQ(session->ReadDataObject("d", nullptr).size(), 1);
}

TEST_F(StandinBinding, IdLengthBeyondTheBufferIsRefused) {
  configure(token("A", "1") + "object class=public_key id=01\nobject class=certificate id=01\n" +
            "fault C_GetAttributeValue 1 ok_length=100\n");
  Pkcs11Module module(moduleFile());
  std::unique_ptr<Pkcs11Session> session(module.OpenSession(1));
  EXPECT_EQ(codeOf([&] { session->FindRelatedObject(1, CKO_CERTIFICATE); }), pkcs11Code(CKR_GENERAL_ERROR));
}

TEST_F(StandinBinding, SlotCountBeyondTheArrayIsNotRead) {
  // The second listing claims more slots than the first made room for.
  configure(token("A", "1") + token("B", "2") + "fault C_GetSlotList 2 ok_count=1000\n");
  Pkcs11Module module(moduleFile());
  EXPECT_EQ(codeOf([&] { module.FindSlot("#5"); }), PKCS11_ERR_MODULE);
}

// The finders want exactly one object, also from a module that hands out one
// handle per C_FindObjects call.
struct ExactlyOneCase {
  const char* name;
  const char* moduleSettings;
};

class ExactlyOneSearch : public StandinTokenTest, public ::testing::WithParamInterface<ExactlyOneCase> {};

TEST_P(ExactlyOneSearch, TwoMatchesAreNotExactlyOne) {
  configure(token("A", "1") + GetParam().moduleSettings + "object class=public_key label=\"k\" id=01\n" +
            "object class=data label=\"d\" value=01\nobject class=data label=\"d\" value=02\n");
  Pkcs11Module module(moduleFile());
  std::unique_ptr<Pkcs11Session> session(module.OpenSession(1));
  EXPECT_EQ(session->FindPublicKey("k", 0, nullptr, 0), 1u);
  EXPECT_EQ(codeOf([&] { session->ReadDataObject("d", nullptr); }), PKCS11_ERR_NOT_FOUND);
  EXPECT_EQ(counter("call.C_FindObjectsFinal"), counter("call.C_FindObjectsInit"));
}

INSTANTIATE_TEST_SUITE_P(Modules, ExactlyOneSearch,
                         ::testing::Values(ExactlyOneCase{"AllAtOnce", ""},
                                           ExactlyOneCase{"OneHandlePerCall", "search_batch 1\n"}),
                         [](const ::testing::TestParamInfo<ExactlyOneCase>& info) { return std::string(info.param.name); });
