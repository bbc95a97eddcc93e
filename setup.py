# Builds the extension module harmodex through the project's CMake build and
# puts it, with its type stub, into the wheel. The version is the one CMake's
# project() sets.
import os
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = os.path.dirname(os.path.abspath(__file__))


def version():
    with open(os.path.join(HERE, "CMakeLists.txt"), encoding="utf-8") as f:
        return re.search(r"project\(Harmodex VERSION ([0-9.]+)", f.read()).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = os.environ.get("HARMODEX_WHEEL_BUILD", os.path.join(HERE, "build-wheel"))
        launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"] if shutil.which("ccache") else []
        # A build folder already configured (the project's own, named by
        # HARMODEX_WHEEL_BUILD) keeps its settings; only the module is built.
        if not os.path.exists(os.path.join(build, "CMakeCache.txt")):
            subprocess.run(["cmake", "-S", HERE, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
                            "-DHARMODEX_BUILD_TESTS=OFF", *launcher], check=True)
        jobs = os.environ.get("HARMODEX_JOBS", "2")
        subprocess.run(["cmake", "--build", build, "--target", "harmodex_python", "-j", jobs], check=True)
        built = os.path.join(build, "python", os.path.basename(self.get_ext_filename(ext.name)))
        target = self.get_ext_fullpath(ext.name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(built, target)
        shutil.copyfile(os.path.join(HERE, "python", "harmodex.pyi"), os.path.join(os.path.dirname(target), "harmodex.pyi"))


setup(
    version=version(),
    ext_modules=[Extension("harmodex", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    packages=[],
    py_modules=[],
    zip_safe=False,
)
