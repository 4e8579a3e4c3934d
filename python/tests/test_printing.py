"""Pages and PDFs from Python: the program's pages byte for byte, BrowserUnavailable without a
browser, and a PDF whose text is the page's when Chromium is installed."""

import os
import pickle
import shutil
import subprocess

import pytest

import vorn
from conftest import ROOT

SCENARIO = ROOT / "examples" / "montecarlo" / "scenario.toml"


def program_page(cli, tmp_path, *arguments, cwd=ROOT):
    """The page the program writes with `arguments`, run from `cwd`."""
    page = tmp_path / "program.html"
    subprocess.run([str(cli), *arguments, "--html", str(page)], cwd=cwd, check=True,
                   capture_output=True)
    return page.read_text(encoding="utf-8")


def test_pages_are_the_programs(cli, tmp_path, monkeypatch):
    monkeypatch.chdir(ROOT)
    assert vorn.run("examples/landfill").to_html() == program_page(cli, tmp_path,
                                                                   "examples/landfill")
    summary = vorn.montecarlo(SCENARIO, realizations=64)
    assert summary.to_html() == program_page(cli, tmp_path, "mc", str(SCENARIO),
                                             "--realizations", "64")


def test_a_filled_streams_page_is_the_programs_and_survives_pickling(cli, tmp_path, monkeypatch):
    site = tmp_path / "site"
    subprocess.run([str(cli), "fill", str(ROOT / "tests/data/chemicals/landfill_stream.csv"),
                    "-o", str(site)], check=True, capture_output=True)
    monkeypatch.chdir(tmp_path)
    result = vorn.run("site")
    page = result.to_html()
    assert 'id="sources"' in page and "sources.csv (SHA-256)" in page
    assert page == program_page(cli, tmp_path, "site", cwd=tmp_path)
    assert pickle.loads(pickle.dumps(result)).to_html() == page


def test_without_a_browser_to_pdf_raises_browser_unavailable(tmp_path, monkeypatch):
    monkeypatch.setenv("VORN_BROWSER", str(tmp_path / "no-such-browser"))
    result = vorn.run(ROOT / "examples" / "landfill")
    summary = vorn.montecarlo(SCENARIO, realizations=16)
    for printable in (result, summary):
        with pytest.raises(vorn.BrowserUnavailable) as e:
            printable.to_pdf(tmp_path / "out.pdf")
        assert isinstance(e.value, RuntimeError)
        assert "VORN_BROWSER" in str(e.value)
        assert not (tmp_path / "out.pdf").exists()


@pytest.mark.skipif(shutil.which("chromium") is None or shutil.which("pdftotext") is None,
                    reason="needs chromium and pdftotext (scripts/install-deps browser)")
def test_the_pdf_holds_the_pages_text(tmp_path):
    os.environ.pop("VORN_BROWSER", None)
    result = vorn.run(ROOT / "examples" / "landfill")
    result.to_pdf(tmp_path / "landfill.pdf", paper="letter")
    text = subprocess.run(["pdftotext", "-layout", str(tmp_path / "landfill.pdf"), "-"],
                          check=True, capture_output=True, text=True).stdout
    assert "Waste-stream risk assessment" in text
    assert "1 of 10 chemicals exceed a limit" in text.replace("\n", " ")
    with pytest.raises(ValueError, match="paper"):
        result.to_pdf(tmp_path / "x.pdf", paper="a3")
