// Pkcs11Module against SoftHSM2: start, slot list and slot selection.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "pkcs11_exception.h"
#include "pkcs11_module.h"
#include "pkcs11_session.h"
#include "softhsm_environment.h"

namespace {

int32_t codeOfNewModule(const char* file) {
  try {
    Pkcs11Module module(file);
  } catch (const Pkcs11Exception& e) {
    return e.code();
  }
  return 0;
}

std::string tokenLabel(Pkcs11Module& module, CK_SLOT_ID slot) {
  CK_TOKEN_INFO info;
  EXPECT_EQ(module.functionList()->C_GetTokenInfo(slot, &info), CKR_OK);
  std::string label(reinterpret_cast<const char*>(info.label), sizeof info.label);
  return label.substr(0, label.find_last_not_of(' ') + 1);
}

int32_t findSlotCode(Pkcs11Module& module, const char* selector) {
  try {
    module.FindSlot(selector);
  } catch (const Pkcs11Exception& e) {
    return e.code();
  }
  return 0;
}

}  // namespace

// SoftHSM2 lists the three tokens of the run and the free slot for a fourth
// (whose token is present but not initialised), in an order of its own.
constexpr CK_ULONG kSoftHsmSlots = 4;

std::vector<CK_SLOT_ID> listSlots(Pkcs11Module& module) {
  std::vector<CK_SLOT_ID> slots(kSoftHsmSlots);
  CK_ULONG count = kSoftHsmSlots;
  module.GetSlotList(slots.data(), &count);
  slots.resize(count);
  return slots;
}

TEST(SoftHsmModule, StartsAndLists) {
  REQUIRE_SOFTHSM();
  Pkcs11Module module(kSoftHsmModule);
  ASSERT_NE(module.functionList(), nullptr);
  CK_ULONG count = 0;
  module.GetSlotList(nullptr, &count);
  EXPECT_EQ(count, kSoftHsmSlots);
}

TEST(SoftHsmModule, MissingFileGivesCode2) {
  EXPECT_EQ(codeOfNewModule("/nonexistent/libnothing.so"), PKCS11_ERR_LOAD_FAILED);
}

TEST(SoftHsmModule, LibraryWithoutFunctionListGivesCode3) {
  EXPECT_EQ(codeOfNewModule("libm.so.6"), PKCS11_ERR_MODULE);
}

TEST(SoftHsmModule, SecondModuleOnSameFileGivesCode3AndLeavesFirstWorking) {
  REQUIRE_SOFTHSM();
  Pkcs11Module first(kSoftHsmModule);
  EXPECT_EQ(codeOfNewModule(kSoftHsmModule), PKCS11_ERR_MODULE);
  // The failed second start must neither finalise nor unload the first.
  CK_ULONG count = 0;
  first.GetSlotList(nullptr, &count);
  EXPECT_EQ(count, kSoftHsmSlots);
}

TEST(SoftHsmModule, ModuleCanBeStartedAgainAfterDestruction) {
  REQUIRE_SOFTHSM();
  { Pkcs11Module module(kSoftHsmModule); }
  Pkcs11Module again(kSoftHsmModule);
  CK_ULONG count = 0;
  again.GetSlotList(nullptr, &count);
  EXPECT_EQ(count, kSoftHsmSlots);
}

TEST(SoftHsmModule, SlotListTooSmallGivesCode3AndKeepsCount) {
  REQUIRE_SOFTHSM();
  Pkcs11Module module(kSoftHsmModule);
  CK_SLOT_ID slots[kSoftHsmSlots] = {};
  CK_ULONG count = kSoftHsmSlots - 1;
  try {
    module.GetSlotList(slots, &count);
    FAIL() << "no exception";
  } catch (const Pkcs11Exception& e) {
    EXPECT_EQ(e.code(), PKCS11_ERR_MODULE);
  }
  EXPECT_EQ(count, kSoftHsmSlots - 1);

  count = kSoftHsmSlots;
  module.GetSlotList(slots, &count);
  EXPECT_EQ(count, kSoftHsmSlots);
}

TEST(SoftHsmModule, FindSlotByIndex) {
  REQUIRE_SOFTHSM();
  Pkcs11Module module(kSoftHsmModule);
  const std::vector<CK_SLOT_ID> slots = listSlots(module);
  ASSERT_EQ(slots.size(), kSoftHsmSlots);
  EXPECT_EQ(module.FindSlot("#0"), slots[0]);
  EXPECT_EQ(module.FindSlot("#2"), slots[2]);
  EXPECT_EQ(module.FindSlot("#3"), slots[3]);
  EXPECT_EQ(findSlotCode(module, "#4"), PKCS11_ERR_MODULE);
  EXPECT_EQ(findSlotCode(module, "#"), PKCS11_ERR_MODULE);
  EXPECT_EQ(findSlotCode(module, "#/"), PKCS11_ERR_MODULE);
}

TEST(SoftHsmModule, FindSlotFirstForNullAndEmpty) {
  REQUIRE_SOFTHSM();
  Pkcs11Module module(kSoftHsmModule);
  const std::vector<CK_SLOT_ID> slots = listSlots(module);
  EXPECT_EQ(module.FindSlot(nullptr), slots[0]);
  EXPECT_EQ(module.FindSlot(""), slots[0]);
  EXPECT_EQ(module.FindSlot("@"), slots[0]);
  EXPECT_EQ(findSlotCode(module, "?"), PKCS11_ERR_MODULE);
}

TEST(SoftHsmModule, FindSlotByTokenLabelPrefixAndSerial) {
  REQUIRE_SOFTHSM();
  Pkcs11Module module(kSoftHsmModule);
  EXPECT_EQ(tokenLabel(module, module.FindSlot("@Alpha")), kWorkToken);
  EXPECT_EQ(tokenLabel(module, module.FindSlot("@Beta")), kPinToken);
  EXPECT_EQ(tokenLabel(module, module.FindSlot("@AB")), kPrefixToken);
  EXPECT_EQ(findSlotCode(module, "@Gamma"), PKCS11_ERR_MODULE);

  const CK_SLOT_ID beta = module.FindSlot("@Beta");
  CK_TOKEN_INFO info;
  ASSERT_EQ(module.functionList()->C_GetTokenInfo(beta, &info), CKR_OK);
  std::string serial(reinterpret_cast<const char*>(info.serialNumber), sizeof info.serialNumber);
  serial = serial.substr(0, serial.find_last_not_of(' ') + 1);
  EXPECT_EQ(module.FindSlot(("@" + serial).c_str()), beta);
}

TEST(SoftHsmModule, FindSlotByDescription) {
  REQUIRE_SOFTHSM();
  Pkcs11Module module(kSoftHsmModule);
  const CK_SLOT_ID second = module.FindSlot("#1");
  CK_SLOT_INFO info;
  ASSERT_EQ(module.functionList()->C_GetSlotInfo(second, &info), CKR_OK);
  std::string description(reinterpret_cast<const char*>(info.slotDescription), sizeof info.slotDescription);
  description = description.substr(0, description.find_last_not_of(' ') + 1);
  EXPECT_EQ(module.FindSlot(description.c_str()), second);
  EXPECT_EQ(findSlotCode(module, "No such reader"), PKCS11_ERR_MODULE);
}

TEST(SoftHsmModule, OpenSessionOnTokenSlotAndFailureOnBadSlot) {
  REQUIRE_SOFTHSM();
  Pkcs11Module module(kSoftHsmModule);
  std::unique_ptr<Pkcs11Session> session(module.OpenSession(module.FindSlot("@Alpha")));
  CK_SESSION_INFO info;
  ASSERT_EQ(module.functionList()->C_GetSessionInfo(session->handle(), &info), CKR_OK);
  EXPECT_EQ(info.flags & (CKF_RW_SESSION | CKF_SERIAL_SESSION), CKF_RW_SESSION | CKF_SERIAL_SESSION);

  try {
    delete module.OpenSession(0x7FFFFFFF);
    FAIL() << "no exception";
  } catch (const Pkcs11Exception& e) {
    EXPECT_EQ(e.code(), pkcs11Code(CKR_SLOT_ID_INVALID));
  }
}
