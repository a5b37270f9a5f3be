// nolm32.dll: walking the certificate list.
#include "call_log.h"
#include "certificate_record.h"
#include "messages.h"
#include "standin_nolm.h"
#include "world.h"

namespace {

int fillNext(World& world, void* record, CallLog& call, int noneLeft) {
  if (!record) return kBadArgument;
  const auto& certificates = world.config.certificates;
  if (world.nextCertificate >= certificates.size()) return noneLeft;
  const CertificateEntry& entry = certificates[world.nextCertificate];
  fillCertificateRecord(static_cast<unsigned char*>(record), entry, world.nextCertificate);
  ++world.nextCertificate;
  call.output("id", quoted(entry.id.substr(0, 8)));
  return 0;
}

}  // namespace

extern "C" {

NOLM_EXPORT NolmCrtFF(void* record, int mode, const char* filter, int zero) {
  World& world = currentWorld();
  CallLog call("NolmCrtFF");
  call.buffer(record).integer(mode).text(filter).integer(zero);
  return call.result(unlessOverridden(world, "NolmCrtFF", [&] {
    world.nextCertificate = 0;
    return fillNext(world, record, call, kNoCertificates);
  }));
}

NOLM_EXPORT NolmCrtFN(void* record, int zero) {
  World& world = currentWorld();
  CallLog call("NolmCrtFN");
  call.buffer(record).integer(zero);
  return call.result(unlessOverridden(
      world, "NolmCrtFN", [&] { return fillNext(world, record, call, kNoMoreCertificates); }));
}
}
