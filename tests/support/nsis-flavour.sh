# Sourced by the scripts that build test installers. From the build folder
# and QELT_FLAVOUR (ansi, the default, or unicode) it sets:
#   plugin_dir    the folder of the plug-in flavour to use
#   flavour_args  makensis options that make the script of that flavour
#                 (Unicode true/false, the plug-in folder, the stub target)
# An x86-64 test build (machines that cannot run 32-bit programs) has only
# a Unicode flavour in NSIS's terms: amd64-unicode.
nsis_flavour() {
  local build=$1 flavour=${QELT_FLAVOUR:-ansi} arch=x86
  [ -d "$build/plugins/amd64-unicode" ] && arch=amd64
  plugin_dir=$build/plugins/$arch-$flavour
  local unicode=false
  [ "$flavour" = unicode ] && unicode=true
  flavour_args=("-XUnicode $unicode" "-X!addplugindir /$arch-$flavour $plugin_dir")
  [ "$arch" = amd64 ] && flavour_args=("-XTarget amd64-unicode" "-X!addplugindir /amd64-unicode $plugin_dir")
  return 0
}
