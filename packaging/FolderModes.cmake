# Run by CPack on the staged files before it packs them: CMake makes the folders with the
# packer's umask, and a package of folders only root can read breaks every system it is
# installed on.
file(CHMOD_RECURSE ${CPACK_TEMPORARY_INSTALL_DIRECTORY}
  DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
