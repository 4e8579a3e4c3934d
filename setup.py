"""The package vorn: its extension module is built by CMake from the engine's sources.

``pip install --no-build-isolation .`` builds it with the C++ compiler and the Python found
on the machine; the CMake and setuptools build trees go to build-python/.
"""

import os
import re
import shlex
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent
BUILD = ROOT / "build-python"


def project_version() -> str:
    found = re.search(r"project\(vorn VERSION ([0-9.]+)", (ROOT / "CMakeLists.txt").read_text())
    if found is None:
        raise RuntimeError("CMakeLists.txt: no project(vorn VERSION ...)")
    return found.group(1)


class CMakeBuild(build_ext):
    """Configures the project with the extension module on and builds that target alone."""

    def build_extension(self, ext: Extension) -> None:
        tree = BUILD / "cmake"
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(tree),
            # The shipped build's flags (CMakePresets.json, preset default).
            "-DCMAKE_BUILD_TYPE=Release",
            "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG",
            "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG",
            "-DVORN_PYTHON=ON", "-DVORN_TESTS=OFF", "-DVORN_BENCH=OFF",
            "-DVORN_INSTALL=OFF", "-DVORN_WERROR=OFF",
            f"-DPython_EXECUTABLE={sys.executable}",
        ]
        # Further CMake arguments, e.g. the test command's warnings as errors and compilers,
        # so that its objects are the default build's.
        configure += shlex.split(os.environ.get("VORN_CMAKE_ARGS", ""))
        try:
            import pybind11
            configure.append(f"-Dpybind11_DIR={pybind11.get_cmake_dir()}")
        except ImportError:
            pass  # pybind11-dev's CMake package is found without help
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL") or str(os.cpu_count() or 1)
        subprocess.run(configure, check=True)
        subprocess.run(["cmake", "--build", str(tree), "--target", "vorn_python",
                        "--parallel", jobs], check=True)
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(tree / "python" / target.name, target)


BUILD.mkdir(exist_ok=True)
setup(
    version=project_version(),
    ext_modules=[Extension("vorn._vorn", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    options={
        "build": {"build_base": str(BUILD / "setuptools")},
        "egg_info": {"egg_base": str(BUILD)},
    },
)
