#!/bin/sh
# Makes the DER test certificates in this folder with the openssl CLI. The
# output is committed, so builds never need openssl; run this again only to
# change the set. Keys are made afresh and thrown away.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir out
touch index.txt

cat > ca.cnf <<'CNF'
[ca]
default_ca = utf8
[utf8]
dir = .
database = ./index.txt
new_certs_dir = ./out
serial = ./serial
default_md = sha256
policy = anything
unique_subject = no
email_in_dn = yes
preserve = yes
string_mask = utf8only
[bmp]
dir = .
database = ./index.txt
new_certs_dir = ./out
serial = ./serial
default_md = sha256
policy = anything
unique_subject = no
email_in_dn = yes
preserve = yes
# "default" picks BMPString for Cyrillic text
string_mask = default
[anything]
countryName = optional
organizationName = optional
commonName = optional
emailAddress = optional
[req]
distinguished_name = dn
[dn]

[ca_ext]
basicConstraints = critical, CA:TRUE, pathlen:1
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid:always

[leaf_ext]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature, nonRepudiation
extendedKeyUsage = critical, clientAuth, emailProtection
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
subjectAltName = email:olena@example.com, DNS:olena.example.com
crlDistributionPoints = crl_point_one
authorityInfoAccess = caIssuers;URI:http://ca.example.com/ca.crt, OCSP;URI:http://ocsp1.example.com/, OCSP;URI:http://ocsp2.example.com/
[crl_point_one]
fullname = URI:http://crl1.example.com/ca.crl, dirName:crl_directory, URI:ldap://crl2.example.com/cn=CA
[crl_directory]
C = UA
O = Qelt CRL

[dns_first_ext]
keyUsage = digitalSignature
subjectAltName = DNS:bmp.example.com, email:alt@example.com
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid

[two_points_ext]
basicConstraints = critical, CA:TRUE
keyUsage = keyAgreement, decipherOnly
extendedKeyUsage = serverAuth
crlDistributionPoints = crl_point_a, crl_point_b
authorityKeyIdentifier = keyid
[crl_point_a]
fullname = URI:http://a.example.com/a.crl
[crl_point_b]
fullname = URI:http://b.example.com/b.crl
CNF

rsa_key() { openssl genrsa -out "$1" 2048 2>/dev/null; }
ec_key() { openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$1" 2>/dev/null; }

# issue NAME SERIAL_HEX KEY SUBJECT SIGNER(self|ca) SECTION(ca section) EXT(or -) START END
issue() {
  name=$1 serial=$2 key=$3 subject=$4 signer=$5 section=$6 ext=$7 start=$8 end=$9
  echo "$serial" > serial
  openssl req -new -key "$key" -subj "/CN=request" -out "$name.csr" -config ca.cnf
  set -- -batch -config ca.cnf -name "$section" -utf8 -subj "$subject" -in "$name.csr" \
    -startdate "$start" -enddate "$end" -notext -out "$name.pem"
  if [ "$ext" != - ]; then set -- "$@" -extensions "$ext"; fi
  if [ "$signer" = self ]; then
    set -- "$@" -selfsign -keyfile "$key"
  else
    set -- "$@" -cert ca-rsa.pem -keyfile ca.key
  fi
  openssl ca "$@" 2>/dev/null
  openssl x509 -in "$name.pem" -outform DER -out "$here/$name.der"
}

rsa_key ca.key
ec_key leaf.key
rsa_key bmp.key
ec_key v1.key
ec_key old.key
rsa_key points.key

# CA: short serial 0x00C8, key usage of one byte, path length 1, key identifiers.
issue ca-rsa C8 ca.key "/C=UA/O=Qelt/CN=Qelt Test CA" self utf8 ca_ext 20240101000000Z 20440101000000Z
# Leaf: EC key, 20-byte serial, UTF8String CN, subject e-mail, SAN e-mail first,
# one CRL point with two URIs and a directory name, AIA caIssuers before OCSP,
# critical EKU.
issue leaf-ec-utf8 7A1B2C3D4E5F60718293A4B5C6D7E8F901234567 leaf.key \
  "/C=UA/O=Qelt/CN=Олена Петренко/emailAddress=olena@example.com" ca utf8 leaf_ext \
  20240301120000Z 20260301120000Z
# BMPString CN, SAN with dNSName first, e-mail only in the subject.
issue bmp-cn 0100 bmp.key "/C=UA/CN=Тарас Шевченко/emailAddress=taras@example.com" ca bmp dns_first_ext \
  20240401000000Z 20250401000000Z
# Version 1 (no extensions) with dates on both sides of 2050.
issue v1-2050 03 v1.key "/CN=Version One" self utf8 - 491231235959Z 20500101000000Z
# Version 1 valid from before 1970.
issue v1-1965 04 old.key "/O=Old/CN=Before Epoch" self utf8 - 650615123000Z 691231235959Z
# Two CRL points, CA without a path length, key usage with decipherOnly.
issue two-points 00FF points.key "/CN=Two Points" ca utf8 two_points_ext 20240101000000Z 20340101000000Z
