# shellcheck shell=bash
# Reading a Windows program's header (source it). The fields used, all little-endian:
#
#   0x3C                      4 bytes  offset of the "PE\0\0" signature (e_lfanew)
#   e_lfanew + 24             2 bytes  optional header magic: 0x10B (32-bit) or 0x20B (64-bit)
#   e_lfanew + 24 + 64        4 bytes  the image checksum
#   e_lfanew + 24 + 96 (112)  8 bytes each, the data directories of a 32-bit (64-bit) image;
#                             number 4 is the certificate table: its file offset, then its size
#
# An Authenticode signature lives in the certificate table, at the end of the file, outside the
# image the loader maps; signing writes it there and sets the checksum and that directory entry.

readonly PE_LFANEW_OFFSET=60
readonly PE_OPTIONAL_HEADER=24
readonly PE_MAGIC_32=267
readonly PE_DIRECTORIES_32=96
readonly PE_DIRECTORIES_64=112
readonly PE_DIRECTORY_SIZE=8
readonly PE_CERTIFICATE_DIRECTORY=4

# The unsigned number of $3 bytes (1, 2 or 4) at offset $2 of file $1.
pe_number() {
  od -An -tu"$3" -j "$2" -N "$3" "$1" | tr -d ' \n'
}

# The file offset of the certificate table's directory entry of the program $1.
pe_certificate_entry() {
  local header magic directories
  header=$(pe_number "$1" "$PE_LFANEW_OFFSET" 4)
  magic=$(pe_number "$1" $((header + PE_OPTIONAL_HEADER)) 2)
  directories=$PE_DIRECTORIES_64
  if [ "$magic" -eq "$PE_MAGIC_32" ]; then directories=$PE_DIRECTORIES_32; fi
  echo $((header + PE_OPTIONAL_HEADER + directories + PE_CERTIFICATE_DIRECTORY * PE_DIRECTORY_SIZE))
}

# The size of the program $1's certificate table: 0 when it is not signed.
pe_signature_size() {
  local entry
  entry=$(pe_certificate_entry "$1")
  pe_number "$1" $((entry + 4)) 4
}
