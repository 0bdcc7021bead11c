#!/usr/bin/env bash
# Configures a second build tree whose programs lie in lib/vantrel/libexec rather than one
# level under the prefix, installs it elsewhere than it was configured for, and checks that
# the launcher finds the programs and the window program finds its data and its library:
# a test program runs in the window program's place and opens the tutorial and the About box.
# Usage: check-relocated.sh <source> <build tree> <generator> <build type> <C++ compiler> <werror>
set -euo pipefail
source=$1 build=$2 generator=$3 build_type=$4 compiler=$5 werror=$6
# Beside the build tree, at the same depth, so that ccache serves nearly every compile from
# the build tree's own; kept between runs, so that the next run builds only what changed.
relocated=$build-relocated
libexec=lib/vantrel/libexec
log=$relocated/check.log
mkdir -p "$relocated"
if ! { cmake -S "$source" -B "$relocated" -G "$generator" -DCMAKE_BUILD_TYPE="$build_type" \
        -DCMAKE_CXX_COMPILER="$compiler" -DVANTREL_WERROR="$werror" -DVANTREL_BENCH=OFF \
        -DCMAKE_INSTALL_PREFIX=/opt/vantrel-configured -DCMAKE_INSTALL_LIBEXECDIR=$libexec &&
      cmake --build "$relocated" --target vantrel vantrel_tutorial vantrel_manual test_installedlayout; } >"$log" 2>&1; then
    tail -n 60 "$log"
    exit 1
fi
stage=$relocated/stage
rm -rf "$stage"
cmake --install "$relocated" --prefix "$stage" >/dev/null

status=0
for file in bin/vantrel $libexec/vantrel-window $libexec/vantrel-cli \
    lib/vantrel/libvantrel_tutorial.so share/vantrel/vantrel-tutorial.webm; do
    [ -s "$stage/$file" ] || { echo "missing from the install: $file"; status=1; }
done
[ ! -e "$stage/libexec" ] || { echo "a libexec folder under the prefix"; status=1; }

# The launcher finds the command-line program in its folder.
"$stage/bin/vantrel" compose --output "$stage/script.hsc" || status=1
"$stage/bin/vantrel" check "$stage/script.hsc" || status=1

# Qt's library paths would find the tutorial library anywhere they lead: they lead nowhere.
cp "$relocated/tests/install/test_installedlayout" "$stage/$libexec/"
env -u QT_PLUGIN_PATH VANTREL_TEST_PREFIX="$stage" "$stage/$libexec/test_installedlayout" || status=1
[ $status -eq 0 ] && echo "relocated install: programs in $libexec, data and library found"
exit $status
