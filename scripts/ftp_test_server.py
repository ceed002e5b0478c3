#!/usr/bin/python3
"""An FTP server on 127.0.0.1 for tests: ftp_test_server.py ROOT USER PASSWORD

Listens on a free port, prints it on one line, then serves ROOT to USER (read and
write) until it is killed."""
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main(root, user, password):
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmw")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.auth_failed_timeout = 0.1
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    import logging
    logging.basicConfig(level=logging.CRITICAL)
    main(*sys.argv[1:4])
