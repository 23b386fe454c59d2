#!/usr/bin/env python3
"""Compares kodavert.dll with the stock ffmpeg tool on every format of the conversion window.

Generates two 60-second sources, a 320x240 Flash video (FLV1 picture, MP3 sound at 22050 Hz) as
the program was made for and a 1920x1080 VP9/Opus WebM as the site gives today, converts each
with each of the 33 formats, by kodavert.dll (with the window's option text) and by ffmpeg (with
the equivalent modern options: same codecs, sizes, rates, bit rates and quality settings) in each
of several rounds, each tool first in every other round, and writes the median wall time, CPU time,
peak memory and output size of each, with the ratios (the wall ratio as the median of the rounds'
own) and each run's distance from the two-core floor, to RESULTS.md beside this script,
with bench/STARTUP.md's start-up figures. With --lengths, a few rows also run from the 1080p
source repeated to several minutes, to show whether memory grows with the length.

    bench/run_bench.py [--converter PATH] [--runs N] [--seconds S] [--sources flv,webm] [--keep DIR]
                       [--rows FIRST-LAST] [--lengths 1,5,10 [--length-rows 8,10,33]]
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
# Where ./run builds it, in Release: the speed of a test or debug build says nothing.
DEFAULT_CONVERTER = HERE.parent / "build" / "release" / "bin" / "kodavert.dll"

# What -sameq and -deinterlace mean in kodavert.dll, spelled for the stock tool.
SAMEQ = ["-q:v", "2"]
SAMEQ_H264 = ["-crf", "18"]
DEINTERLACE = ["-vf", "yadif=deint=interlaced"]
NTSC = "30000/1001"

# Today's formats keep the display shape with square pixels, never larger than the source.
def fit(width, height):
    return ["-vf", f"scale=w='min({width},iw)':h='min({height},ih)':force_original_aspect_ratio=decrease:"
                   "force_divisible_by=2,setsar=1"]


FIT_SOURCE = ["-vf", "scale=trunc(iw/2)*2:trunc(ih/2)*2,setsar=1"]
AAC_48K = ["-c:a", "aac", "-b:a", "160k", "-ar", "48000", "-ac", "2"]
OPUS_48K = ["-c:a", "libopus", "-b:a", "128k", "-ar", "48000", "-ac", "2"]
GIF_PICTURE = "fps=15,scale=w='min(480,iw)':h=-2,setsar=1"
PALETTE = "palette"  # two runs of the stock tool, see stock_commands()

# (name, extension, the window's option text, the stock tool's options)
ROWS = [
    ("AVI (MPEG4-DivX-Compatible)", ".avi",
     "-b 360 -r 29.97 -s 320x240 -vcodec mpeg4 -deinterlace -sameq -ab 48 -ar 22050 -ac 2",
     ["-c:v", "mpeg4", *SAMEQ, "-s", "320x240", "-r", NTSC, *DEINTERLACE,
      "-c:a", "libmp3lame", "-b:a", "48k", "-ar", "22050", "-ac", "2"]),
    ("AVI (MPEG4-DivX-Best Quality)", ".avi",
     "-b 360 -r 29.97 -s 320x240 -vcodec mpeg4 -aspect 16:9 -deinterlace -sameq -acodec mp3 -ab 128 -ar 44100 -ac 2",
     ["-c:v", "mpeg4", *SAMEQ, "-s", "320x240", "-r", NTSC, "-aspect", "16:9", *DEINTERLACE,
      "-c:a", "libmp3lame", "-b:a", "128k", "-ar", "44100", "-ac", "2"]),
    ("AVI (MPEG4-XviD-Compatible)", ".avi",
     "-b 360 -r 29.97 -s 320x240 -vcodec xvid -deinterlace -sameq -ab 48 -ar 22050 -ac 2",
     ["-c:v", "libxvid", "-vtag", "XVID", *SAMEQ, "-s", "320x240", "-r", NTSC, *DEINTERLACE,
      "-c:a", "libmp3lame", "-b:a", "48k", "-ar", "22050", "-ac", "2"]),
    ("AVI (MPEG4-XviD-Best Quality)", ".avi",
     "-b 360 -r 29.97 -s 320x240 -vcodec xvid -deinterlace -sameq -ab 128 -ar 44100 -ac 2",
     ["-c:v", "libxvid", "-vtag", "XVID", *SAMEQ, "-s", "320x240", "-r", NTSC, *DEINTERLACE,
      "-c:a", "libmp3lame", "-b:a", "128k", "-ar", "44100", "-ac", "2"]),
    ("iPOD Video (320x240) MPEG4", ".mpg",
     "-b 512 -s 320x240 -vcodec mpeg4 -aspect 4:3 -acodec aac -ab 64 -ar 44100 -ac 2",
     ["-c:v", "mpeg4", "-b:v", "512k", "-s", "320x240", "-aspect", "4:3",
      "-c:a", "aac", "-b:a", "64k", "-ar", "44100", "-ac", "2", "-f", "mp4"]),
    ("iPOD Video2 (640x480) MPEG4", ".mpg",
     "-b 1200 -s 640x480 -vcodec mpeg4 -aspect 4:3 -acodec aac -ab 80 -ar 44100 -ac 2",
     ["-c:v", "mpeg4", "-b:v", "1200k", "-s", "640x480", "-aspect", "4:3",
      "-c:a", "aac", "-b:a", "80k", "-ar", "44100", "-ac", "2", "-f", "mp4"]),
    ("iPhone Video", ".mpg",
     "-b 1200 -s 320x240 -vcodec mpeg4 -aspect 4:3 -acodec aac -ab 80 -ar 44100 -ac 2",
     ["-c:v", "mpeg4", "-b:v", "1200k", "-s", "320x240", "-aspect", "4:3",
      "-c:a", "aac", "-b:a", "80k", "-ar", "44100", "-ac", "2", "-f", "mp4"]),
    ("MPEG (Max Compatible)", ".mpg",
     "-r 29.97 -vcodec mpeg1video -deinterlace -sameq -ar 44100 -ac 2",
     ["-c:v", "mpeg1video", *SAMEQ, "-r", NTSC, *DEINTERLACE, "-c:a", "mp2", "-ar", "44100", "-ac", "2"]),
    ("MPEG (Best Quality)", ".mpg",
     "-r 29.97 -vcodec mpeg1video -deinterlace -sameq -ac 2",
     ["-c:v", "mpeg1video", *SAMEQ, "-r", NTSC, *DEINTERLACE, "-c:a", "mp2", "-ac", "2"]),
    ("WMV(WindowsMedia-Compatible)", ".wmv",
     "-vcodec wmv2 -deinterlace -sameq -ar 44100 -ac 2",
     ["-c:v", "wmv2", *SAMEQ, *DEINTERLACE, "-c:a", "wmav2", "-ar", "44100", "-ac", "2"]),
    ("WMV(WindowsMedia-Best Quality)", ".wmv",
     "-vcodec wmv2 -deinterlace -sameq -ac 2",
     ["-c:v", "wmv2", *SAMEQ, *DEINTERLACE, "-c:a", "wmav2", "-ac", "2"]),
    ("RM (RealONE/RealPlayer)", ".rm",
     "-vcodec rv20 -deinterlace -sameq -ar 44100 -ac 2",
     # kodavert.dll keeps each picture under RealMedia's 64 kB packet limit with a rate buffer;
     # without it the stock tool cannot write 1080p pictures at all.
     ["-c:v", "rv20", *SAMEQ, "-bufsize", "480k", "-rc_init_occupancy", "480k", "-rc_max_vbv_use", "1",
      "-maxrate", "24M", *DEINTERLACE, "-c:a", "ac3", "-ar", "44100", "-ac", "2"]),
    ("QuickTime MOV", ".mov",
     "-b 360 -r 29.97 -s 320x240 -deinterlace -sameq -acodec aac -ab 48 -ar 44100 -ac 2",
     ["-c:v", "libx264", *SAMEQ_H264, "-s", "320x240", "-r", NTSC, *DEINTERLACE,
      "-c:a", "aac", "-b:a", "48k", "-ar", "44100", "-ac", "2"]),
    ("Sony PSP (Normal)", ".avi",
     "-b 512 -r 29.97 -s 368x208 -vcodec xvid -acodec aac -ab 64 -ar 24000 -ac 2",
     ["-c:v", "libxvid", "-vtag", "XVID", "-b:v", "512k", "-s", "368x208", "-r", NTSC,
      "-c:a", "aac", "-b:a", "64k", "-ar", "24000", "-ac", "2"]),
    ("Sony PSP (Excellent Quality)", ".avi",
     "-b 768 -r 29.97 -s 368x208 -vcodec xvid -acodec aac -ab 64 -ar 24000 -ac 2",
     ["-c:v", "libxvid", "-vtag", "XVID", "-b:v", "768k", "-s", "368x208", "-r", NTSC,
      "-c:a", "aac", "-b:a", "64k", "-ar", "24000", "-ac", "2"]),
    ("Sony PSP (Minimal Size)", ".avi",
     "-b 216 -r 29.97 -s 160x112 -vcodec xvid -acodec aac -ab 64 -ar 24000 -ac 2",
     ["-c:v", "libxvid", "-vtag", "XVID", "-b:v", "216k", "-s", "160x112", "-r", NTSC,
      "-c:a", "aac", "-b:a", "64k", "-ar", "24000", "-ac", "2"]),
    ("Sony PSP (PSP AVC)", ".avi",
     "-b 400 -r 29.97 -s 368x208 -vcodec h264 -bufsize 128 -g 250 -qscale 25 -maxrate 1500 -acodec aac -ab 128 -ar 48000 -ac 2",
     ["-c:v", "libx264", "-b:v", "400k", "-crf", "25", "-maxrate", "1500k", "-bufsize", "128k",
      "-g", "250", "-s", "368x208", "-r", NTSC, "-c:a", "aac", "-b:a", "128k", "-ar", "48000", "-ac", "2"]),
    ("Zune MPEG-4 Video", ".avi",
     "-b 1500 -r 29.97 -s 320x240 -vcodec mpeg4 -acodec aac -ab 128 -ar 48000 -ac 2",
     ["-c:v", "mpeg4", "-b:v", "1500k", "-s", "320x240", "-r", NTSC,
      "-c:a", "aac", "-b:a", "128k", "-ar", "48000", "-ac", "2"]),
    ("Zune MPEG-4 AVC", ".avi",
     "-b 1500 -r 29.97 -s 320x240 -vcodec h264 -bufsize 128 -g 250 -qscale 25 -maxrate 1500 -acodec aac -ab 64 -ar 48000 -ac 2",
     ["-c:v", "libx264", "-b:v", "1500k", "-crf", "25", "-maxrate", "1500k", "-bufsize", "128k",
      "-g", "250", "-s", "320x240", "-r", NTSC, "-c:a", "aac", "-b:a", "64k", "-ar", "48000", "-ac", "2"]),
    ("Zune WMV", ".wmv",
     "-b 1500 -r 29.97 -s 320x240 -vcodec wmv2 -acodec mp3 -ab 128 -ar 48000 -ac 2",
     ["-c:v", "wmv2", "-b:v", "1500k", "-s", "320x240", "-r", NTSC,
      "-c:a", "libmp3lame", "-b:a", "128k", "-ar", "48000", "-ac", "2"]),
    ("3GP (for Mobile)", ".3gp",
     "-b 120 -r 11 -s 176x144 -vcodec h263 -bt 60 -acodec amr_nb -ab 48 -ar 8000 -ac 1",
     ["-c:v", "h263", "-b:v", "120k", "-bt", "60k", "-s", "176x144", "-r", "11",
      "-c:a", "libopencore_amrnb", "-b:a", "12.2k", "-ar", "8000", "-ac", "1"]),
    ("3G2 (for Mobile)", ".3g2",
     "-b 120 -r 11 -s 176x144 -vcodec mpeg4 -bt 60 -acodec amr_nb -ab 48 -ar 8000 -ac 1",
     ["-c:v", "mpeg4", "-b:v", "120k", "-bt", "60k", "-s", "176x144", "-r", "11",
      "-c:a", "libopencore_amrnb", "-b:a", "12.2k", "-ar", "8000", "-ac", "1"]),
    ("WAVE Sound (WAV)", ".wav",
     "-f wav -acodec pcm_s16le -ab 128 -ar 41000 -ac 2",
     ["-vn", "-c:a", "pcm_s16le", "-ar", "41000", "-ac", "2", "-f", "wav"]),
    ("MP3 Sound (MP3)", ".mp3",
     "-f mp3 -acodec mp3 -ab 128 -ar 44100 -ac 2",
     ["-vn", "-c:a", "libmp3lame", "-b:a", "128k", "-ar", "44100", "-ac", "2", "-f", "mp3"]),
    ("MP4 (H.264/AAC, Original Size)", ".mp4",
     "-vcodec libx264 -pix_fmt yuv420p -preset fast -crf 22 -tag:v avc1 -fit source -fpsmax 60 -tonemap "
     "-movflags +faststart -acodec aac -ab 160 -ar 48000 -ac 2",
     ["-c:v", "libx264", "-pix_fmt", "yuv420p", "-preset", "fast", "-crf", "22", "-tag:v", "avc1", *FIT_SOURCE,
      "-fpsmax", "60", "-movflags", "+faststart", *AAC_48K]),
    ("MP4 (H.264/AAC, 720p)", ".mp4",
     "-vcodec libx264 -pix_fmt yuv420p -preset fast -crf 21 -tag:v avc1 -fit 1280x720 -fpsmax 60 -tonemap "
     "-movflags +faststart -acodec aac -ab 160 -ar 48000 -ac 2",
     ["-c:v", "libx264", "-pix_fmt", "yuv420p", "-preset", "fast", "-crf", "21", "-tag:v", "avc1", *fit(1280, 720),
      "-fpsmax", "60", "-movflags", "+faststart", *AAC_48K]),
    ("MP4 (H.265/AAC, Original Size)", ".mp4",
     "-vcodec libx265 -preset superfast -crf 25 -tag:v hvc1 -fit source -fpsmax 60 -movflags +faststart "
     "-acodec aac -ab 160 -ar 48000 -ac 2",
     ["-c:v", "libx265", "-preset", "superfast", "-crf", "25", "-tag:v", "hvc1", *FIT_SOURCE, "-fpsmax", "60",
      "-movflags", "+faststart", *AAC_48K]),
    ("WebM (VP9/Opus, Original Size)", ".webm",
     "-vcodec libvpx-vp9 -crf 33 -deadline realtime -cpu-used 5 -row-mt 1 -fit source -fpsmax 60 -acodec libopus -ab 128 -ar 48000 -ac 2",
     ["-c:v", "libvpx-vp9", "-b:v", "0", "-crf", "33", "-deadline", "realtime", "-cpu-used", "5", "-row-mt", "1", *FIT_SOURCE,
      "-fpsmax", "60", *OPUS_48K]),
    ("MKV (AV1/Opus, Original Size)", ".mkv",
     "-vcodec libsvtav1 -preset 10 -crf 35 -fit source -fpsmax 60 -acodec libopus -ab 128 -ar 48000 -ac 2",
     ["-c:v", "libsvtav1", "-preset", "10", "-crf", "35", *FIT_SOURCE, "-fpsmax", "60", *OPUS_48K]),
    ("M4A Sound (AAC)", ".m4a",
     "-vn -movflags +faststart -acodec aac -ab 192 -ar 48000 -ac 2",
     ["-vn", "-movflags", "+faststart", "-c:a", "aac", "-b:a", "192k", "-ar", "48000", "-ac", "2"]),
    ("Opus Sound (OPUS)", ".opus",
     "-vn -acodec libopus -ab 128 -ar 48000 -ac 2",
     ["-vn", "-c:a", "libopus", "-b:a", "128k", "-ar", "48000", "-ac", "2"]),
    ("FLAC Sound (Lossless)", ".flac",
     "-vn -acodec flac -ac 2",
     ["-vn", "-c:a", "flac", "-ac", "2"]),
    # The stock tool's palette as the converter makes it: palettegen in a first run, paletteuse in a
    # second, over the same frames.
    ("GIF (Animated, 480 Wide)", ".gif",
     "-vcodec gif -pix_fmt pal8 -fit 480x0 -fpsmax 15 -tonemap -ownpalette",
     PALETTE),
]


TICKS = os.sysconf("SC_CLK_TCK")


def thread_times(pid):
    """Each live thread of `pid`: its CPU time so far (s), by thread id."""
    times = {}
    try:
        tasks = os.listdir(f"/proc/{pid}/task")
    except OSError:
        return times
    for tid in tasks:
        try:
            fields = Path(f"/proc/{pid}/task/{tid}/stat").read_text().rsplit(")", 1)[1].split()
        except OSError:
            continue
        times[int(tid)] = (int(fields[11]) + int(fields[12])) / TICKS  # utime, stime
    return times


def measure(command):
    """Runs one command; its wall time, CPU time, peak resident memory (KiB), exit status, and the
    CPU time of its main thread and of its busiest other thread (sampled every 50 ms, so the last
    moments of a thread may be missing)."""
    start = time.monotonic()
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    seen = {}
    done = threading.Event()

    def sample():
        while not done.wait(0.05):
            seen.update(thread_times(process.pid))

    # The threads are sampled beside the wait, not between its polls, so that the wall time ends when
    # the command does: a sub-second sound row would otherwise round to the next 50 ms.
    sampler = threading.Thread(target=sample)
    sampler.start()
    os.waitid(os.P_PID, process.pid, os.WEXITED | os.WNOWAIT)  # exited, not yet reaped: its pid stays ours
    wall = time.monotonic() - start
    done.set()
    sampler.join()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    main = seen.pop(process.pid, 0.0)
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss, process.returncode, main, max(seen.values(), default=0.0)


# Each source: its file name, what it is, and the stock tool's options that make it from a
# synthetic picture and tone (the length is added).
SOURCES = {
    "flv": ("source.flv", "320x240 FLV1 at 25 fps with MP3 sound at 22050 Hz, as the 2008 downloads",
            ["-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25", "-f", "lavfi", "-i", "sine=f=440:sample_rate=22050",
             "-c:v", "flv1", "-b:v", "400k", "-c:a", "libmp3lame", "-b:a", "64k"]),
    # The site's usual 1080p download: VP9 near 2.5 Mb/s and stereo Opus in WebM.
    "webm": ("source.webm", "1920x1080 VP9 at 30 fps with stereo Opus sound at 48000 Hz, as today's downloads",
             ["-f", "lavfi", "-i", "testsrc2=size=1920x1080:rate=30", "-f", "lavfi", "-i", "sine=f=440:sample_rate=48000",
              "-c:v", "libvpx-vp9", "-b:v", "2500k", "-deadline", "realtime", "-cpu-used", "8", "-row-mt", "1",
              "-tile-columns", "2", "-pix_fmt", "yuv420p", "-c:a", "libopus", "-b:a", "128k", "-ac", "2"]),
}


def make_source(kind, folder, seconds):
    """The source's path in `folder`, made there unless an earlier run left it (the 1080p one is slow)."""
    name, _, options = SOURCES[kind]
    path = folder / f"{seconds}s-{name}"
    if not path.is_file():
        partial = path.with_name("partial-" + path.name)
        subprocess.run(["ffmpeg", "-v", "error", "-y", *options, "-t", str(seconds), str(partial)], check=True)
        partial.rename(path)
    return path


def stock_commands(source, stock_options, stock_out):
    start = ["ffmpeg", "-nostdin", "-y", "-i", str(source)]
    if stock_options == PALETTE:
        palette = stock_out.with_name("stock-palette.png")
        return [[*start, "-vf", GIF_PICTURE + ",palettegen", str(palette)],
                [*start, "-i", str(palette), "-lavfi", f"[0:v]{GIF_PICTURE}[x];[x][1:v]paletteuse", str(stock_out)]]
    # The stock tool writes a constant frame rate only when told; kodavert.dll always does.
    return [[*start, *stock_options, *([] if "-vn" in stock_options else ["-vsync", "cfr"]), str(stock_out)]]


def bench_row(row, source, folder, converter, runs):
    name, extension, window_options, stock_options = row
    mine_out = folder / ("kodavert" + extension)
    stock_out = folder / ("stock" + extension)
    tools = {
        "kodavert": [[str(converter), "-i", str(source), "-y", *window_options.split(), str(mine_out)]],
        "stock": stock_commands(source, stock_options, stock_out),
    }
    samples = {tool: [] for tool in tools}
    for round_ in range(runs):
        # Both tools in each round, so that both see the same load of the machine, and each first in
        # every other round, so that neither always follows the other.
        for tool, commands in (list(tools.items()) if round_ % 2 == 0 else reversed(tools.items())):
            total = (0, 0, 0, 0, 0)
            for command in commands:
                wall, cpu, rss, status, main, busiest = measure(command)
                if status != 0:
                    raise RuntimeError(f"{tool} failed on {name}: {' '.join(command)}")
                total = (total[0] + wall, total[1] + cpu, max(total[2], rss), total[3] + main, total[4] + busiest)
            samples[tool].append(total)
    result = {}
    for tool, values in samples.items():
        result[tool] = tuple(statistics.median(v[i] for v in values) for i in range(5))
    # The load of this machine drifts between minutes more than between the two halves of a round.
    result["wall ratio"] = statistics.median(k[0] / s[0] for k, s in zip(samples["kodavert"], samples["stock"]))
    result["sizes"] = (mine_out.stat().st_size, stock_out.stat().st_size)
    if ssim_wanted:
        result["ssim"] = (ssim(mine_out, source), ssim(stock_out, source))
    return result


ssim_wanted = False


def ssim(output, source):
    """The stock tool's SSIM (All) of `output` against `source`, scaled back to the source's size."""
    probe = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries", "stream=width,height",
                            "-of", "csv=p=0", str(source)], capture_output=True, text=True, check=True)
    width, height = probe.stdout.strip().split(",")[:2]
    run = subprocess.run(["ffmpeg", "-nostdin", "-i", str(output), "-i", str(source), "-lavfi",
                          f"[0:v]scale={width}:{height}:flags=bicubic,format=yuv420p[a];[1:v]format=yuv420p[b];"
                          "[a][b]ssim", "-f", "null", "-"], capture_output=True, text=True)
    for line in run.stderr.splitlines():
        if "SSIM" in line and "All:" in line:
            return float(line.split("All:")[1].split()[0])
    return None


def table(results):
    lines = [
        "| # | Format | Wall k (s) | Wall ffmpeg (s) | Wall ratio | CPU k (s) | CPU ffmpeg (s) | Peak k (MiB) | Peak ffmpeg (MiB) | Memory ratio | Size k (kB) | Size ffmpeg (kB) | Size ratio | Floor k | Floor ffmpeg | Main thread k | Busiest other thread k |",
        "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|",
    ]
    cores = os.cpu_count()
    for number, result in results:
        row = ROWS[number - 1]
        (mw, mc, mr, mm, mb), (sw, sc, sr, _, _) = result["kodavert"], result["stock"]
        ms, ss = result["sizes"]
        line = (f"| {number} | {row[0]} | {mw:.2f} | {sw:.2f} | {result['wall ratio']:.2f} | {mc:.2f} | {sc:.2f} | "
                f"{mr / 1024:.1f} | {sr / 1024:.1f} | {mr / sr:.2f} | {ms / 1000:.0f} | {ss / 1000:.0f} | "
                f"{ms / ss:.3f} | {mw / (mc / cores):.2f} | {sw / (sc / cores):.2f} | {mm / mw:.2f} | {mb / mw:.2f} |")
        if "ssim" in result:
            line += " " + " | ".join("-" if v is None else f"{v:.4f}" for v in result["ssim"]) + " |"
        lines.append(line)
    if any("ssim" in result for _, result in results):
        lines[0] += " SSIM k | SSIM ffmpeg |"
        lines[1] += "---|---|"
    return lines


def wall_ratios(results):
    return [r["wall ratio"] for _, r in results]


def looped(source, minutes, folder):
    """`source` (a minute long) repeated to `minutes`, without encoding it again."""
    path = folder / f"{minutes}min-{source.name}"
    if not path.is_file():
        partial = path.with_name("partial-" + path.name)
        subprocess.run(["ffmpeg", "-v", "error", "-y", "-stream_loop", str(minutes - 1), "-i", str(source), "-c", "copy",
                        str(partial)], check=True)
        partial.rename(path)
    return path


def length_table(lengths):
    lines = [
        "| # | Format | Minutes | Wall k (s) | Wall ffmpeg (s) | Peak k (MiB) | Peak ffmpeg (MiB) | Memory ratio |",
        "|---|---|---|---|---|---|---|---|",
    ]
    for minutes, number, result in lengths:
        (mw, _, mr, _, _), (sw, _, sr, _, _) = result["kodavert"], result["stock"]
        lines.append(f"| {number} | {ROWS[number - 1][0]} | {minutes} | {mw:.2f} | {sw:.2f} | {mr / 1024:.1f} | "
                     f"{sr / 1024:.1f} | {mr / sr:.2f} |")
    return lines


def write_results(measured, lengths, runs, seconds):
    cores = os.cpu_count()
    lines = [
        "# kodavert.dll against the stock ffmpeg tool",
        "",
        f"Sources: {seconds} s each, generated by `bench/run_bench.py`. Median of {runs} rounds each; in a "
        "round the two tools run one after the other, each first in every other round; "
        f"{cores} cores (load average {os.getloadavg()[0]:.1f} at the end), "
        f"{time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}.",
        "Ratios are kodavert.dll / stock tool; the wall ratio is the median of the rounds' own ratios. "
        "CPU is user + system time; memory is peak resident set.",
        f"The floor is the wall time that the CPU time would take on all {cores} cores at once (CPU / {cores}); "
        "a row's floor figure is its wall time over that floor. The two thread columns are the CPU time of "
        "kodavert.dll's main thread (reading, decoding, filters) and of its busiest other thread (an encoder's "
        "worker, a codec's or a filter's own thread), as shares of the wall time: near 1.00, that one thread "
        "sets the pace.",
        "",
        "| Source | Wall ratio, median | highest | Memory ratio, median | highest | Floor k, median | highest |",
        "|---|---|---|---|---|---|---|",
    ]
    for kind, results in measured.items():
        walls = wall_ratios(results)
        memories = [r["kodavert"][2] / r["stock"][2] for _, r in results]
        floors = [r["kodavert"][0] / (r["kodavert"][1] / cores) for _, r in results]
        lines.append(f"| {kind} | {statistics.median(walls):.2f} | {max(walls):.2f} | "
                     f"{statistics.median(memories):.2f} | {max(memories):.2f} | "
                     f"{statistics.median(floors):.2f} | {max(floors):.2f} |")
    startup = HERE / "STARTUP.md"
    if startup.is_file():
        lines += ["", "## Start-up (from `bench/STARTUP.md`, written by `bench/run_startup.py`)", ""]
        lines += startup.read_text().splitlines()[2:]
    for kind, results in measured.items():
        lines += ["", f"## {SOURCES[kind][1]} (`{kind}`)", "", *table(results)]
    if lengths:
        lines += ["", "## Memory against the input's length",
                  "", "The `webm` source of a minute, repeated without encoding it again; one run each.", "",
                  *length_table(lengths)]
    (HERE / "RESULTS.md").write_text("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--converter", type=Path, default=Path(os.environ.get("KODAVERT", DEFAULT_CONVERTER)))
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--seconds", type=int, default=60)
    parser.add_argument("--sources", default=",".join(SOURCES), help="which sources, of: " + ", ".join(SOURCES))
    parser.add_argument("--keep", type=Path, help="a folder that keeps the generated sources for later runs")
    parser.add_argument("--rows", help=f"only these rows, as 'FIRST-LAST' (1 to {len(ROWS)})")
    parser.add_argument("--input", type=Path, help="a video of your own in place of the generated sources")
    parser.add_argument("--ssim", action="store_true", help="also each output's SSIM against the source")
    parser.add_argument("--lengths", help="also these lengths of the 1080p source, in minutes, as '1,5,10'")
    parser.add_argument("--length-rows", default="8,10,33", help="the rows that --lengths runs")
    arguments = parser.parse_args()
    global ssim_wanted
    ssim_wanted = arguments.ssim
    if not arguments.converter.is_file():
        sys.exit(f"no converter at {arguments.converter}; ./run builds it there, or pass --converter")
    kinds = arguments.sources.split(",")
    if unknown := [kind for kind in kinds if kind not in SOURCES]:
        sys.exit(f"unknown source {', '.join(unknown)}; choose among {', '.join(SOURCES)}")
    first, _, last = (arguments.rows or f"1-{len(ROWS)}").partition("-")
    numbers = range(int(first), int(last or first) + 1)
    measured = {}
    with tempfile.TemporaryDirectory() as temporary:
        folder = Path(temporary)
        if arguments.input:
            kinds = ["input"]
            SOURCES["input"] = (arguments.input.name, f"{arguments.input.name}, given with --input", [])
        for kind in kinds:
            source = arguments.input or make_source(kind, arguments.keep or folder, arguments.seconds)
            measured[kind] = results = []
            for number in numbers:
                row = ROWS[number - 1]
                results.append((number, bench_row(row, source, folder, arguments.converter, arguments.runs)))
                k, s = results[-1][1]["kodavert"][0], results[-1][1]["stock"][0]
                ratio = results[-1][1]["wall ratio"]
                print(f"{kind} {number:2} {row[0]:32} {k:6.2f}s {s:6.2f}s ratio {ratio:.2f}", flush=True)
        lengths = []
        if arguments.lengths:
            minute = make_source("webm", arguments.keep or folder, 60)
            for minutes in (int(m) for m in arguments.lengths.split(",")):
                source = minute if minutes == 1 else looped(minute, minutes, arguments.keep or folder)
                for number in (int(n) for n in arguments.length_rows.split(",")):
                    lengths.append((minutes, number, bench_row(ROWS[number - 1], source, folder, arguments.converter, 1)))
                    k, s = lengths[-1][2]["kodavert"][2], lengths[-1][2]["stock"][2]
                    print(f"{minutes} min {number:2} peak {k / 1024:6.1f} MiB against {s / 1024:6.1f} MiB", flush=True)
    write_results(measured, lengths, arguments.runs, arguments.seconds)


if __name__ == "__main__":
    main()
