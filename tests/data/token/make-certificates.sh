#!/bin/sh
# Makes the certificates the token enumeration tests put on the stand-in
# token. The DER files are committed; run this again only to change them.
set -eu
cd "$(dirname "$0")"
key=$(mktemp)
trap 'rm -f "$key"' EXIT
openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$key" 2>/dev/null

# make <file> <subject> <serial>
make() {
  openssl req -x509 -new -key "$key" -utf8 -subj "$2" -set_serial "$3" -days 36500 -outform DER -out "$1"
}

make cn-test-serial-5-bytes.der "/CN=Тест/O=QeltNSIS" 0x0102030405
make serial-1-byte.der "/CN=Short Serial" 0x0A
make serial-00ab.der "/CN=Leading Zero" 0xAB
make owner-serial-4-bytes.der "/CN=Owner/O=QeltNSIS" 0x11223344
# An owner name that neither Windows-1251 nor Windows-1252 can hold.
make cn-greek.der "/CN=Αλέξανδρος Παπαδόπουλος" 0x0A0B0C0D
make no-common-name.der "/O=Nameless Org" 0x2233
# 130 content bytes: the serial's DER length takes two bytes (0x81 0x82).
make serial-130-bytes.der "/CN=Long Serial" 0x01$(printf 'ab%.0s' $(seq 129))
# A DER SEQUENCE that is no certificate.
printf '\060\003\002\001\005' > not-a-certificate.der
