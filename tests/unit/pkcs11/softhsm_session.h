// A test fixture holding SoftHSM2 loaded and a logged-in session on one of
// the run's tokens.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "pkcs11_exception.h"
#include "pkcs11_module.h"
#include "pkcs11_session.h"
#include "softhsm_environment.h"

class SoftHsmSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_SOFTHSM();
    module_.reset(new Pkcs11Module(kSoftHsmModule));
    session_.reset(module_->OpenSession(module_->FindSlot((std::string("@") + kWorkToken).c_str())));
    session_->Login(kUserPin);
  }
  void TearDown() override {
    session_.reset();
    module_.reset();
  }

  // Runs call and returns the code of the Pkcs11Exception it throws (0 if none).
  template <typename Call>
  static int32_t codeOf(Call call) {
    try {
      call();
    } catch (const Pkcs11Exception& e) {
      return e.code();
    }
    return 0;
  }

  std::unique_ptr<Pkcs11Module> module_;
  std::unique_ptr<Pkcs11Session> session_;
};
