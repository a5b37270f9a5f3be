#!/usr/bin/env python3
"""Checks qelt-certinfo --json against python3-cryptography for DER files.

usage: certinfo_crosscheck.py QELT_CERTINFO FILE...
Exit 0 when every field agrees, 1 otherwise (differences on stderr), 77 when
the cryptography package is missing (ctest counts that as skipped).
"""
import json
import subprocess
import sys

try:
    from cryptography import x509
    from cryptography.x509.oid import ExtensionOID, NameOID, AuthorityInformationAccessOID
except ImportError:
    sys.exit(77)


def der_integer(value):
    length = (value.bit_length() + 8) // 8 if value >= 0 else ((-value - 1).bit_length() + 8) // 8
    content = value.to_bytes(max(length, 1), "big", signed=True)
    return bytes([0x02]) + der_length(len(content)) + content


def der_length(n):
    if n < 0x80:
        return bytes([n])
    body = n.to_bytes((n.bit_length() + 7) // 8, "big")
    return bytes([0x80 | len(body)]) + body


def extension(cert, oid):
    try:
        return cert.extensions.get_extension_for_oid(oid).value
    except x509.ExtensionNotFound:
        return None


def first_cn(name):
    # The first commonName among the first attribute of each RDN.
    for rdn in name.rdns:
        attribute = list(rdn)[0]
        if attribute.oid == NameOID.COMMON_NAME:
            return attribute.value.encode("utf-8").hex()
    return None


def key_usage_byte(ku):
    if ku is None or ku.key_agreement and ku.decipher_only:
        return 0
    bits = [ku.digital_signature, ku.content_commitment, ku.key_encipherment, ku.data_encipherment,
            ku.key_agreement, ku.key_cert_sign, ku.crl_sign,
            ku.key_agreement and ku.encipher_only]
    return sum(0x80 >> i for i, bit in enumerate(bits) if bit)


def urls(names):
    return [n.value for n in names if isinstance(n, x509.UniformResourceIdentifier)]


def expected(path):
    with open(path, "rb") as f:
        cert = x509.load_der_x509_certificate(f.read())
    bc = extension(cert, ExtensionOID.BASIC_CONSTRAINTS)
    ski = extension(cert, ExtensionOID.SUBJECT_KEY_IDENTIFIER)
    aki = extension(cert, ExtensionOID.AUTHORITY_KEY_IDENTIFIER)
    crl = extension(cert, ExtensionOID.CRL_DISTRIBUTION_POINTS)
    aia = extension(cert, ExtensionOID.AUTHORITY_INFORMATION_ACCESS)
    san = extension(cert, ExtensionOID.SUBJECT_ALTERNATIVE_NAME)
    points = []
    for point in crl or []:
        joined = "|".join(urls(point.full_name or []))
        if not joined:
            break
        points.append(joined.encode().hex())
    email = None
    if san is not None and len(san) and isinstance(list(san)[0], x509.RFC822Name):
        email = list(san)[0].value.encode().hex()
    else:
        for rdn in cert.subject.rdns:
            attribute = list(rdn)[0]
            if attribute.oid == NameOID.EMAIL_ADDRESS:
                email = attribute.value.encode().hex()
                break
    return {
        "file": path,
        "ok": True,
        "serial": der_integer(cert.serial_number).hex(),
        "issuer": cert.issuer.public_bytes().hex(),
        "subject": cert.subject.public_bytes().hex(),
        "issuer_cn": first_cn(cert.issuer),
        "subject_cn": first_cn(cert.subject),
        "not_before": int(cert.not_valid_before_utc.timestamp()),
        "not_after": int(cert.not_valid_after_utc.timestamp()),
        "public_key_algorithm": cert.public_key_algorithm_oid.dotted_string,
        "signature_algorithm": cert.signature_algorithm_oid.dotted_string,
        "key_usage": key_usage_byte(extension(cert, ExtensionOID.KEY_USAGE)),
        "is_ca": bool(bc and bc.ca),
        "path_length": -1 if bc is None else (bc.path_length if bc.ca and bc.path_length is not None
                                               else 0x7FFFFFFF),
        "subject_key_id": ski.digest.hex() if ski else "",
        "authority_key_id": aki.key_identifier.hex() if aki and aki.key_identifier else "",
        "crl": points,
        "ocsp": [d.access_location.value.encode().hex() for d in aia or []
                 if d.access_method == AuthorityInformationAccessOID.OCSP
                 and isinstance(d.access_location, x509.UniformResourceIdentifier)],
        "email": email,
        "self_issued": cert.issuer.public_bytes() == cert.subject.public_bytes(),
    }


def main():
    tool, files = sys.argv[1], sys.argv[2:]
    lines = subprocess.run([tool, "--json", *files], check=True, capture_output=True, text=True).stdout
    reports = [json.loads(line) for line in lines.splitlines()]
    failed = len(reports) != len(files)
    for path, report in zip(files, reports):
        want = expected(path)
        if list(report) != list(want):
            print(f"{path}: keys {list(report)}", file=sys.stderr)
            failed = True
        for key, value in want.items():
            if report.get(key) != value:
                print(f"{path}: {key}: tool {report.get(key)!r}, cryptography {value!r}", file=sys.stderr)
                failed = True
    # The failure contract: a missing file and a file that is no certificate.
    missing = json.loads(subprocess.run([tool, "--json", "no-such.der"], capture_output=True, text=True).stdout)
    if missing != {"file": "no-such.der", "ok": False, "code": -3}:
        print(f"missing file: {missing}", file=sys.stderr)
        failed = True
    usage = subprocess.run([tool], capture_output=True, text=True)
    if usage.returncode != 2:
        print("no arguments should be a usage error", file=sys.stderr)
        failed = True
    print(f"{len(files)} certificates compared")
    sys.exit(1 if failed else 0)


main()
