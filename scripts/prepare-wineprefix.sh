#!/usr/bin/env bash
# Creates the Wine prefix given as the first argument and gives it what the program expects of a
# Windows system; later calls find it ready and change nothing.
#
# The overlay asks DirectWrite for "Trebuchet MS", which Windows ships and Debian does not. Wine's
# DirectWrite has no fallback for a missing family (its text layouts then fail with E_FAIL), but it
# honours Wine's font replacements, so the prefix maps the family to Liberation Sans (fonts-liberation),
# whose letters are about as wide.
set -euo pipefail
Prefix=${1:?usage: prepare-wineprefix.sh PREFIX}
mkdir -p "$Prefix"
Prefix=$(cd "$Prefix" && pwd)
export WINEPREFIX="$Prefix"
Wine="$(dirname "$0")/wine-run.sh"

ReplacementKey='HKCU\Software\Wine\Fonts\Replacements'
ReplacedFamily='Trebuchet MS'
ReplacingFamily='Liberation Sans'

if ! fc-list "$ReplacingFamily" family | grep -q .; then
    echo "The font family $ReplacingFamily is missing: install the Debian package fonts-liberation" >&2
    exit 1
fi

if [ ! -f "$Prefix/system.reg" ]; then
    echo "Creating the Wine prefix $Prefix"
    "$Wine" wineboot --init > /dev/null 2>&1
    /usr/lib/wine/wineserver64 -w
fi

# Whether user.reg holds "Trebuchet MS"="Liberation Sans" in its [Software\\Wine\\Fonts\\Replacements] section.
HasReplacement()
{
    awk -v Section='[Software\\\\Wine\\\\Fonts\\\\Replacements]' -v Value="\"$ReplacedFamily\"=\"$ReplacingFamily\"" '
        /^\[/ { Inside = index($0, Section) == 1 }
        Inside && $0 == Value { Found = 1 }
        END { exit !Found }' "$Prefix/user.reg"
}

if ! HasReplacement; then
    echo "Replacing the font family $ReplacedFamily with $ReplacingFamily in $Prefix"
    "$Wine" reg add "$ReplacementKey" /v "$ReplacedFamily" /t REG_SZ /d "$ReplacingFamily" /f > /dev/null
    /usr/lib/wine/wineserver64 -w
fi
