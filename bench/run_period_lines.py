#!/usr/bin/env python3
"""Runs the real command lines of period-lines.txt through the converter and says, line by line,
whether it converted and whether the file holds the size, codecs, rate and channels it asks for.

    bench/run_period_lines.py CONVERTER MEDIA_FOLDER [OUTPUT_FOLDER]

The input is the Flash video flv1_mp3_square_gnash.flv of MEDIA_FOLDER unless a line names another.
Nothing runs through a shell."""
import json
import pathlib
import subprocess
import sys
import tempfile

SIZES = {"qcif": "176x144", "qvga": "320x240", "cif": "352x288", "vga": "640x480", "sqcif": "128x96"}
VIDEO = {"libxvid": "mpeg4", "xvid": "mpeg4", "libx264": "h264", "h264": "h264", "flv": "flv1",
         "msmpeg4": "msmpeg4v3", "mjpeg": "mjpeg"}
AUDIO = {"libfaac": "aac", "aac": "aac", "libmp3lame": "mp3", "mp3": "mp3", "vorbis": "vorbis"}


def asked(words):
    """What the line asks of the file, as ffprobe names it."""
    want = {}
    for name, value in zip(words, words[1:] + [""]):
        if name == "-s":
            want["size"] = SIZES.get(value, value)
        elif name == "-r":
            want["rate"] = float(value)
        elif name == "-vcodec" and value != "copy":
            want["vcodec"] = VIDEO.get(value, value)
        elif name == "-acodec" and value != "copy":
            want["acodec"] = AUDIO.get(value, value)
        elif name in ("-ar", "-ac"):
            want[name[1:]] = int(value)
    if "-vn" in words:
        want = {key: value for key, value in want.items() if key in ("acodec", "ar", "ac")}
    if "-an" in words:
        want = {key: value for key, value in want.items() if key not in ("acodec", "ar", "ac")}
    return want


def probe(path):
    result = subprocess.run(["ffprobe", "-v", "error", "-of", "json", "-show_streams", str(path)],
                            capture_output=True, text=True, check=False)
    streams = json.loads(result.stdout or "{}").get("streams", [])
    got = {}
    for stream in streams:
        if stream["codec_type"] == "video":
            num, den = (int(x) for x in stream["r_frame_rate"].split("/"))
            got.update(vcodec=stream["codec_name"], size=f'{stream["width"]}x{stream["height"]}',
                       rate=num / den if den else 0)
        elif stream["codec_type"] == "audio":
            got.update(acodec=stream["codec_name"], ar=int(stream["sample_rate"]), ac=stream["channels"])
    return got


def differences(want, got):
    wrong = []
    for key, value in want.items():
        have = got.get(key)
        same = have is not None and (abs(have - value) < 0.01 * value if key == "rate" else have == value)
        if not same:
            wrong.append(f"{key} {value} -> {have}")
    return wrong


def main():
    converter, media = sys.argv[1], pathlib.Path(sys.argv[2])
    folder = pathlib.Path(sys.argv[3] if len(sys.argv) > 3 else tempfile.mkdtemp())
    lines = [line.rstrip("\n").split("|") for line in
             open(pathlib.Path(__file__).with_name("period-lines.txt"), encoding="utf-8")
             if line.strip() and not line.startswith("#")]
    converted = 0
    for number, (source, extension, options, *given) in enumerate(lines, 1):
        words = options.split()
        output = folder / f"line{number:02d}.{extension}"
        source_file = media / (given[0] if given else "flv1_mp3_square_gnash.flv")
        run = subprocess.run([converter, "-i", str(source_file), "-y", *words, str(output)],
                             capture_output=True, text=True, check=False, timeout=600)
        said = [text for text in run.stderr.splitlines() if text.startswith(("Error:", "Warning:"))]
        got = probe(output) if run.returncode == 0 and output.exists() else {}
        wrong = differences(asked(words), got) if got else ["nothing written"]
        converted += not wrong
        size = output.stat().st_size if output.exists() else 0
        print(f"{number:2d} {'ok ' if not wrong else 'BAD'} exit {run.returncode} {size:8d} B  {source}: "
              f"{' '.join(f'{k}={v:.5g}' if isinstance(v, float) else f'{k}={v}' for k, v in got.items())}")
        for text in wrong + said:
            print(f"       {text}")
    print(f"{converted} of {len(lines)} lines converted with what they ask for")


if __name__ == "__main__":
    main()
